// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/score_lock.h"

#include <cerrno>
#include <thread>

#include <sys/file.h>

namespace vermo {

namespace {
constexpr auto retryEvery = std::chrono::milliseconds(2);
constexpr auto showWaitingEvery = std::chrono::milliseconds(40);
}  // namespace

ScoreFileLock::ScoreFileLock(const TablePlace& place, std::chrono::milliseconds patience,
                             const WhileWaiting& whileWaiting)
{
    FileDescriptor folder = place.folder.openAgain(error_);
    if (!folder.valid())
        return;
    using Clock = std::chrono::steady_clock;
    const auto giveUp = Clock::now() + patience;
    bool waited = false;
    auto nextShown = Clock::now();
    for (;;) {
        if (::flock(folder.get(), LOCK_EX | LOCK_NB) == 0) {
            folder_ = std::move(folder);
            state_ = State::Held;
            break;
        }
        if (errno == EINTR)
            continue;
        // Only another program holding the lock is worth waiting for; any
        // other failure would fail the same way for the whole wait.
        if (errno != EWOULDBLOCK) {
            error_ = errno;
            break;
        }
        const auto now = Clock::now();
        if (now >= giveUp) {
            state_ = State::Busy;
            break;
        }
        if (whileWaiting && now >= nextShown) {
            whileWaiting(true);
            waited = true;
            nextShown = Clock::now() + showWaitingEvery;
        }
        std::this_thread::sleep_for(retryEvery);
    }
    if (waited)
        whileWaiting(false);
}

}  // namespace vermo
