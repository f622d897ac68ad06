// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

#include "platform/file_descriptor.h"
#include "scores/table_place.h"

namespace vermo {

// Copies of the game that share a table (two windows of one player, or
// two players whose tables link to one file) take turns at it. Each holds
// this lock for the few moments in which it reads the table afresh and
// writes it, so that neither writes over a result the other has just
// recorded, and neither clears away the other's temporary file. The lock
// is a flock on the file "topten.dll.lock" beside the table; the lock file
// stays in place. A player who may not write another player's lock file
// opens it for reading, which is all a flock needs.
class ScoreFileLock {
public:
    enum class State {
        Held,         // this copy has the table to itself
        Busy,         // another copy held it for all of `patience`
        Unavailable,  // no lock to be had here (a folder the player may not
                      // write to, a file system without locks): the caller
                      // goes on without it at once
    };

    explicit ScoreFileLock(const TablePlace& place,
                           std::chrono::milliseconds patience = std::chrono::seconds(3));

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }

private:
    // Closing the last descriptor releases the lock.
    FileDescriptor file_{-1};
    State state_ = State::Unavailable;
};

inline constexpr const char* scoreLockSuffix = ".lock";

}  // namespace vermo
