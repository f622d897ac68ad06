// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/score_entry.h"

#include <sys/stat.h>

namespace vermo {

namespace {
// A sticky folder lets only a file's owner (or the folder's owner) remove
// or replace it; every write of the table replaces it.
bool onlyItsOwnerMayReplace(const TablePlace& place)
{
    const Accounts& accounts = place.folder.accounts();
    const uid_t player = accounts.player();
    if (player == 0)
        return false;
    const auto folder = place.folder.info();
    if (!folder || (folder->st_mode & S_ISVTX) == 0 || accounts.ownerOf(*folder) == player)
        return false;
    const auto table = place.folder.entryInfo(place.name);
    return table && accounts.ownerOf(*table) != player;
}

// Whether the table at `place` must be left alone, with the lock as it was
// had (or not): see score_entry.h.
WriteRefusal refusalAt(const Folder& gameFolder, TablePlace& place, const ScoreFileLock& lock)
{
    // A folder that could not be opened fails every read and write with its
    // own reason, which is the one to tell.
    if (!place.folder.isOpen())
        return WriteRefusal::None;
    if (!lock.held() && !place.folder.isPlayers())
        return lock.state() == ScoreFileLock::State::Busy ? WriteRefusal::LockBusy
                                                          : WriteRefusal::NoLock;
    // While the lock was awaited the player's link may have stopped leading
    // to a table (another user put a note at its target): it is then left
    // as it is, like a link found so before, and never written through.
    TablePlace now = findTable(gameFolder);
    if (now.linkLeftAlone())
        place = std::move(now);
    return refusalBeforeEntry(place);
}
}  // namespace

WriteRefusal refusalBeforeEntry(const TablePlace& place)
{
    if (place.linkLeftAlone())
        return WriteRefusal::LinkLeftAlone;
    if (place.folder.isOpen() && onlyItsOwnerMayReplace(place))
        return WriteRefusal::OwnersFolder;
    return WriteRefusal::None;
}

EntryResult recordEntry(const Folder& gameFolder, const ScoreTable& judged,
                        const std::string& name, std::int32_t score, ScoreTable& now,
                        const ScoreFileLock::WhileWaiting& whileWaiting,
                        std::chrono::milliseconds patience)
{
    EntryResult result;
    result.place = findTable(gameFolder);
    TablePlace& place = result.place;
    result.outcome = EntryOutcome::NotWritten;
    result.refusal = refusalBeforeEntry(place);
    if (result.refusal != WriteRefusal::None) {
        now = judged;
        return result;
    }
    const ScoreFileLock lock(place, patience, whileWaiting);
    result.error = lock.error();
    result.refusal = refusalAt(gameFolder, place, lock);
    // `name` may be a name in `now`: `now` is set only at the end.
    ScoreTable table = judged;
    if (result.refusal == WriteRefusal::None) {
        ScoreTable fresh = judged;
        const TableRead read = readSortedTable(fresh, place);
        if (read.read() && fresh != judged) {
            if (score <= fresh.scores[1]) {
                now = fresh;
                result.outcome = EntryOutcome::NoLongerQualifies;
                return result;
            }
            table = fresh;
        }
        result.outcome = EntryOutcome::WriteFailed;
        if (read.read() || read.replaceable()) {
            ScoreTable entered = table;
            entered.scores[1] = score;
            entered.names[1] = name;
            const Replacement write = WriteScores(entered, place);
            result.folderNotFlushed = write.folderNotFlushed;
            if (write) {
                result.outcome = EntryOutcome::Written;
                table = entered;
            }
        }
    }
    now = table;
    return result;
}

RecoveryResult restoreDefaultScores(const Folder& gameFolder, ScoreTable& now, TableRead& found,
                                    const ScoreFileLock::WhileWaiting& whileWaiting,
                                    std::chrono::milliseconds patience)
{
    RecoveryResult result;
    result.place = findTable(gameFolder);
    TablePlace& place = result.place;
    now = ScoreTable::defaults();
    const ScoreFileLock lock(place, patience, whileWaiting);
    result.error = lock.error();
    result.refusal = refusalAt(gameFolder, place, lock);
    if (result.refusal == WriteRefusal::LockBusy || result.refusal == WriteRefusal::NoLock) {
        result.outcome = RecoveryOutcome::NotWritten;
        return result;
    }
    ScoreTable fresh;
    found = readSortedTable(fresh, place);
    if (found.read()) {
        now = fresh;
        result.outcome = RecoveryOutcome::KeptOtherTable;
    } else if (result.refusal != WriteRefusal::None) {
        result.outcome = RecoveryOutcome::NotWritten;
    } else if (!found.replaceable()) {
        result.outcome = RecoveryOutcome::Unreadable;
    } else {
        result.outcome = WriteScores(now, place) ? RecoveryOutcome::Restored
                                                 : RecoveryOutcome::WriteFailed;
    }
    return result;
}

void removeStaleScoreFilesWhenIdle(const Folder& gameFolder)
{
    const TablePlace place = findTable(gameFolder);
    const ScoreFileLock lock(place, std::chrono::milliseconds(0));
    if (lock.held())
        removeStaleScoreFiles(place);
}

}  // namespace vermo
