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

EntryOutcome RecordEntry(const std::filesystem::path& file, const ScoreTable& judged,
                         const std::string& name, std::int32_t score, ScoreTable& now)
{
    const ScoreFileLock lock(file);
    ScoreTable fresh = judged;
    const bool read = ReadScores(fresh, file);
    SortScores(fresh);

    ScoreTable table = judged;
    if (read && fresh != judged) {
        if (score <= fresh.scores[1]) {
            now = fresh;
            return EntryOutcome::NoLongerQualifies;
        }
        table = fresh;
    }
    takeLowestPlace(table, name, score);
    now = table;
    return WriteScores(table, file) ? EntryOutcome::Written : EntryOutcome::WriteFailed;
}

bool RestoreDefaultScores(const std::filesystem::path& file, ScoreTable& now)
{
    const ScoreFileLock lock(file);
    ScoreTable fresh;
    if (ReadScores(fresh, file)) {
        now = fresh;
        return true;
    }
    now = ScoreTable::defaults();
    return WriteScores(now, file);
}

void RemoveStaleScoreFilesWhenIdle(const std::filesystem::path& file)
{
    const ScoreFileLock lock(file, std::chrono::milliseconds(0));
    if (lock.held())
        RemoveStaleScoreFiles(file);
}

}  // namespace vermo
