// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/folder.h"
#include "scores/score_file.h"
#include "scores/score_lock.h"

namespace vermo {

// The two writes of the table, safe against another copy of the game
// writing the same file: each finds the table's place once, takes the
// table's lock there, reads the file afresh and only then writes. Where
// other users write, nothing is written without the lock (D-63); a table
// that a sticky folder lets only its owner replace is left alone (D-65).

// Why a write the game meant to make was not made.
enum class WriteRefusal {
    None,
    LockBusy,       // another program kept the lock for all of the wait
    NoLock,         // no lock could be had there at all (see `error`)
    OwnersFolder,   // a sticky folder in which the table is another
                    // player's: only that player's scores can be kept there
    LinkLeftAlone,  // the player's link leads to no table now
};

// What the game can tell before it asks for a name: a table it will not
// write (a link it leaves alone, a sticky folder's table another player
// owns), or None.
WriteRefusal refusalBeforeEntry(const TablePlace& place);

enum class EntryOutcome {
    Written,            // the file now holds the entry
    NoLongerQualifies,  // another copy's results have pushed it out meanwhile
    NotWritten,         // refused (see WriteRefusal): the file is as it was
    WriteFailed,        // the file could not be written, or could not be read
                        // and so is not written over; it is as it was
};

struct EntryResult {
    EntryOutcome outcome = EntryOutcome::WriteFailed;
    WriteRefusal refusal = WriteRefusal::None;
    // Where the table lives, for what the player is told.
    TablePlace place;
    int error = 0;  // why there was no lock, for NoLock
    // Written, but the folder's entry could not be flushed (an errno value).
    int folderNotFlushed = 0;
};

// Records a finished game that entered `judged` (the sorted table it was
// judged against at game over). When the file still holds that table,
// the entry takes the lowest place and the table is written as at game
// over: the new result first, then the other nine. When another copy has
// changed the file since, the entry goes into the fresh table by the same
// rule (strictly greater than its lowest), or is not written at all.
// A file that has vanished or is damaged is replaced by `judged` with the
// entry. `now` receives the table the file holds afterwards, with the
// entry only when it was written. `whileWaiting` runs while another copy
// holds the lock.
EntryResult recordEntry(const Folder& gameFolder, const ScoreTable& judged,
                        const std::string& name, std::int32_t score, ScoreTable& now,
                        const ScoreFileLock::WhileWaiting& whileWaiting = {},
                        std::chrono::milliseconds patience = scoreLockPatience);

enum class RecoveryOutcome {
    Restored,        // the file now holds the default table
    KeptOtherTable,  // another copy wrote a complete table meanwhile; kept
    NotWritten,      // refused (see WriteRefusal): the next game over tries again
    Unreadable,      // read again, the file could not be read: not written over
    WriteFailed,     // the default table could not be written
};

struct RecoveryResult {
    RecoveryOutcome outcome = RecoveryOutcome::WriteFailed;
    WriteRefusal refusal = WriteRefusal::None;
    TablePlace place;
    int error = 0;
};

// The start-up recovery's write, for a table found missing or damaged:
// the default table, unless another copy has written a complete table
// since; that table is then kept. `now` receives the table the file
// holds (the default table when it was left alone or not written);
// `found` what reading it again found. The lock is had as for an entry.
RecoveryResult restoreDefaultScores(const Folder& gameFolder, ScoreTable& now, TableRead& found,
                                    const ScoreFileLock::WhileWaiting& whileWaiting = {},
                                    std::chrono::milliseconds patience = scoreLockPatience);

// removeStaleScoreFiles, but only while no other copy is writing: a
// temporary file that another copy is filling right now is not stale.
void removeStaleScoreFilesWhenIdle(const Folder& gameFolder);

}  // namespace vermo
