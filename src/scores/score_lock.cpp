// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/score_lock.h"

#include <cerrno>
#include <thread>

#include <sys/file.h>

namespace vermo {

ScoreFileLock::ScoreFileLock(const TablePlace& place, std::chrono::milliseconds patience)
{
    int error = 0;
    FileDescriptor file = place.folder.openShared(place.name + scoreLockSuffix, error);
    if (!file.valid())
        return;
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0) {
            file_ = std::move(file);
            state_ = State::Held;
            return;
        }
        if (errno == EINTR)
            continue;
        // Only another copy holding the lock is worth waiting for; any other
        // failure would fail the same way for the whole wait.
        if (errno != EWOULDBLOCK)
            return;
        if (std::chrono::steady_clock::now() >= giveUp) {
            state_ = State::Busy;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace vermo
