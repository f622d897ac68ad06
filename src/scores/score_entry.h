// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "platform/folder.h"
#include "scores/score_file.h"

namespace vermo {

// The two writes of the table, made safe against another copy of the game
// writing the same file. Each finds the table's place once, takes the
// table's lock there, reads the file afresh and only then writes.

enum class EntryOutcome {
    Written,            // the file now holds the entry
    NoLongerQualifies,  // another copy's results have pushed it out meanwhile
    WriteFailed,        // the file could not be written, or could not be read
                        // and so is not written over; it is as it was
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
EntryOutcome RecordEntry(const Folder& gameFolder, const ScoreTable& judged,
                         const std::string& name, std::int32_t score, ScoreTable& now);

enum class RecoveryOutcome {
    Restored,        // the file now holds the default table
    KeptOtherTable,  // another copy wrote a complete table meanwhile; kept
    Busy,            // another copy keeps the table's lock: not written over
    Unreadable,      // read again, the file could not be read: not written over
    WriteFailed,     // the default table could not be written
};

// The start-up recovery's write, for a table found missing or damaged:
// the default table, unless another copy has written a complete table
// since; that table is then kept. `now` receives the table the file
// holds (the default table when it was left alone or not written);
// `found` what reading it again found.
RecoveryOutcome RestoreDefaultScores(const Folder& gameFolder, ScoreTable& now, TableRead& found);

// RemoveStaleScoreFiles, but only while no other copy is writing: a
// temporary file that another copy is filling right now is not stale.
void RemoveStaleScoreFilesWhenIdle(const Folder& gameFolder);

}  // namespace vermo
