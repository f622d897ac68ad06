// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/score_entry.h"

#include <sys/stat.h>
#include <unistd.h>

namespace vermo {

namespace {
void takeLowestPlace(ScoreTable& table, const std::string& name, std::int32_t score)
{
    table.scores[1] = score;
    table.names[1] = name;
}

// A sticky folder lets only a file's owner (or the folder's owner) remove
// or replace it; every write of the table replaces it.
bool onlyItsOwnerMayReplace(const TablePlace& place)
{
    const uid_t player = ::geteuid();
    if (player == 0)
        return false;
    const auto folder = place.folder.info();
    if (!folder || (folder->st_mode & S_ISVTX) == 0 || folder->st_uid == player)
        return false;
    const auto table = place.folder.entryInfo(place.name);
    return table && table->st_uid != player;
}

// Whether the table at `place` must be left alone, with the lock as it was
// had (or not): see score_entry.h.
WriteRefusal refusalAt(const TablePlace& place, const ScoreFileLock& lock)
{
    // A folder that could not be opened fails every read and write with its
    // own reason, which is the one to tell.
    if (!place.folder.isOpen())
        return WriteRefusal::None;
    if (!lock.held() && !place.folder.isPlayers())
        return lock.state() == ScoreFileLock::State::Busy ? WriteRefusal::LockBusy
                                                          : WriteRefusal::NoLock;
    if (onlyItsOwnerMayReplace(place))
        return WriteRefusal::OwnersFolder;
    return WriteRefusal::None;
}
}  // namespace

EntryResult RecordEntry(const Folder& gameFolder, const ScoreTable& judged,
                        const std::string& name, std::int32_t score, ScoreTable& now,
                        const ScoreFileLock::WhileWaiting& whileWaiting,
                        std::chrono::milliseconds patience)
{
    const TablePlace place = FindTable(gameFolder);
    const ScoreFileLock lock(place, patience, whileWaiting);
    EntryResult result;
    result.folder = place.folder.path();
    result.error = lock.error();
    // `name` may be a name in `now`: `now` is set only at the end.
    ScoreTable table = judged;
    result.refusal = refusalAt(place, lock);
    if (result.refusal != WriteRefusal::None) {
        result.outcome = EntryOutcome::NotWritten;
    } else {
        ScoreTable fresh = judged;
        const TableRead read = ReadScores(fresh, place);
        SortScores(fresh);
        if (read.read() && fresh != judged) {
            if (score <= fresh.scores[1]) {
                now = fresh;
                result.outcome = EntryOutcome::NoLongerQualifies;
                return result;
            }
            table = fresh;
        }
        takeLowestPlace(table, name, score);
        if (!read.read() && !read.replaceable())
            result.outcome = EntryOutcome::WriteFailed;
        else
            result.outcome = WriteScores(table, place) ? EntryOutcome::Written
                                                       : EntryOutcome::WriteFailed;
    }
    if (result.outcome == EntryOutcome::NotWritten)
        takeLowestPlace(table, name, score);
    now = table;
    return result;
}

RecoveryResult RestoreDefaultScores(const Folder& gameFolder, ScoreTable& now, TableRead& found,
                                    std::chrono::milliseconds patience)
{
    const TablePlace place = FindTable(gameFolder);
    const ScoreFileLock lock(place, patience);
    RecoveryResult result;
    result.folder = place.folder.path();
    result.error = lock.error();
    now = ScoreTable::defaults();
    result.refusal = refusalAt(place, lock);
    if (lock.state() == ScoreFileLock::State::Busy) {
        result.outcome = RecoveryOutcome::Busy;
        return result;
    }
    if (result.refusal == WriteRefusal::NoLock) {
        result.outcome = RecoveryOutcome::NotWritten;
        return result;
    }
    ScoreTable fresh;
    found = ReadScores(fresh, place);
    if (found.read()) {
        now = fresh;
        result.outcome = RecoveryOutcome::KeptOtherTable;
    } else if (!found.replaceable()) {
        result.outcome = RecoveryOutcome::Unreadable;
    } else if (result.refusal != WriteRefusal::None) {
        result.outcome = RecoveryOutcome::NotWritten;
    } else {
        result.outcome = WriteScores(now, place) ? RecoveryOutcome::Restored
                                                 : RecoveryOutcome::WriteFailed;
    }
    return result;
}

void RemoveStaleScoreFilesWhenIdle(const Folder& gameFolder)
{
    const TablePlace place = FindTable(gameFolder);
    const ScoreFileLock lock(place, std::chrono::milliseconds(0));
    if (lock.held())
        RemoveStaleScoreFiles(place);
}

}  // namespace vermo
