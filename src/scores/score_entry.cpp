// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/score_entry.h"

#include <chrono>

#include "scores/score_lock.h"

namespace vermo {

namespace {
void takeLowestPlace(ScoreTable& table, const std::string& name, std::int32_t score)
{
    table.scores[1] = score;
    table.names[1] = name;
}
}  // namespace

EntryOutcome RecordEntry(const Folder& gameFolder, const ScoreTable& judged,
                         const std::string& name, std::int32_t score, ScoreTable& now)
{
    const TablePlace place = FindTable(gameFolder);
    const ScoreFileLock lock(place);
    ScoreTable fresh = judged;
    const TableRead read = ReadScores(fresh, place);
    SortScores(fresh);

    ScoreTable table = judged;
    if (read.read() && fresh != judged) {
        if (score <= fresh.scores[1]) {
            now = fresh;
            return EntryOutcome::NoLongerQualifies;
        }
        table = fresh;
    }
    takeLowestPlace(table, name, score);
    now = table;
    if (!read.read() && !read.replaceable())
        return EntryOutcome::WriteFailed;
    return WriteScores(table, place) ? EntryOutcome::Written : EntryOutcome::WriteFailed;
}

RecoveryOutcome RestoreDefaultScores(const Folder& gameFolder, ScoreTable& now, TableRead& found)
{
    const TablePlace place = FindTable(gameFolder);
    const ScoreFileLock lock(place);
    now = ScoreTable::defaults();
    if (lock.state() == ScoreFileLock::State::Busy)
        return RecoveryOutcome::Busy;
    ScoreTable fresh;
    found = ReadScores(fresh, place);
    if (found.read()) {
        now = fresh;
        return RecoveryOutcome::KeptOtherTable;
    }
    if (!found.replaceable())
        return RecoveryOutcome::Unreadable;
    return WriteScores(now, place) ? RecoveryOutcome::Restored : RecoveryOutcome::WriteFailed;
}

void RemoveStaleScoreFilesWhenIdle(const Folder& gameFolder)
{
    const TablePlace place = FindTable(gameFolder);
    const ScoreFileLock lock(place, std::chrono::milliseconds(0));
    if (lock.held())
        RemoveStaleScoreFiles(place);
}

}  // namespace vermo
