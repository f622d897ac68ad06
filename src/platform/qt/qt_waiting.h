// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace vermo {

// While the game waits for another copy to finish with the high-score
// table, the windows are painted, the pointer is busy and keys and clicks
// wait (D-14).
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
