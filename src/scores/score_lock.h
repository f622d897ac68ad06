// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include "platform/file_descriptor.h"
#include "scores/table_place.h"

namespace vermo {

// How long a copy waits for another to finish with the table.
inline constexpr std::chrono::milliseconds scoreLockPatience = std::chrono::seconds(3);

// Copies of the game that share a table take turns at it: each holds this
// lock while it reads the table afresh and writes it, so that neither
// writes over a result the other has just recorded nor clears away the
// other's temporary file. It is a flock on the table's folder itself
// (D-62); anyone who may look into the folder can hold it for long, and a
// copy then stops waiting (Busy).
class ScoreFileLock {
public:
    enum class State {
        Held,         // this copy has the table to itself
        Busy,         // another program held it for all of `patience`
        Unavailable,  // no lock to be had here (a folder the player may not
                      // read, a file system without locks): error() says
                      // why, and waiting would not help
    };

    // Called while another copy holds the lock: with true every few dozen
    // milliseconds of the wait, and once with false when the wait is over.
    // The game keeps its window painted meanwhile.
    using WhileWaiting = std::function<void(bool waiting)>;

    explicit ScoreFileLock(const TablePlace& place,
                           std::chrono::milliseconds patience = scoreLockPatience,
                           const WhileWaiting& whileWaiting = {});

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }
    // Why the lock is unavailable (an errno value); 0 otherwise.
    int error() const { return error_; }

private:
    // Closing the handle releases the lock.
    FileDescriptor folder_{-1};
    State state_ = State::Unavailable;
    int error_ = 0;
};

}  // namespace vermo
