// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace vermo {

// What the player sees while the game waits for another copy to finish
// with the high-score table: the box that just closed goes, the windows
// are painted as they are, and the pointer shows that the game is busy.
// Keys and clicks wait until the wait is over, so nothing of the game
// runs meanwhile but its painting (and the timers a box would let run).
class WaitingShown {
public:
    // `paint` brings the main window up to date before each look.
    explicit WaitingShown(std::function<void()> paint) : paint_(std::move(paint)) {}
    WaitingShown(const WaitingShown&) = delete;
    WaitingShown& operator=(const WaitingShown&) = delete;
    ~WaitingShown();

    // true now and then during the wait, false once at its end.
    void operator()(bool waiting);

private:
    std::function<void()> paint_;
    bool busyPointer_ = false;
};

}  // namespace vermo
