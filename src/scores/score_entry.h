#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "scores/score_file.h"

namespace vermo {

// The two writes of the table, made safe against another copy of the game
// writing the same file. Both take the table's lock and read the file
// afresh before they write.

enum class EntryOutcome {
    Written,            // the file now holds the entry
    NoLongerQualifies,  // another copy's results have pushed it out meanwhile
    WriteFailed,        // the file could not be written; it is as it was
};

// Records a finished game that entered `judged` (the sorted table it was
// judged against at game over). When the file still holds that table,
// the entry takes the lowest place and the table is written as at game
// over: the new result first, then the other nine. When another copy has
// changed the file since, the entry goes into the fresh table by the same
// rule (strictly greater than its lowest), or is not written at all.
// A file that has vanished or is damaged is replaced by `judged` with the
// entry. `now` receives the table the file holds afterwards (the table
// with the entry when the write failed).
EntryOutcome RecordEntry(const std::filesystem::path& file, const ScoreTable& judged,
                         const std::string& name, std::int32_t score, ScoreTable& now);

// The start-up recovery's write: the default table, unless another copy
// has written a complete table since the file was found unreadable; that
// table is then kept. `now` receives the table the file holds. False when
// the file could not be written.
bool RestoreDefaultScores(const std::filesystem::path& file, ScoreTable& now);

// RemoveStaleScoreFiles, but only while no other copy is writing: a
// temporary file that another copy is filling right now is not stale.
void RemoveStaleScoreFilesWhenIdle(const std::filesystem::path& file);

}  // namespace vermo
