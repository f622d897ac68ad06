// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <functional>

#include "platform/timer.h"

namespace vermo {

// A window timer on a repeating QTimer, so the ticks keep their own rhythm
// however long a handler takes. Ticks go through Timer::fire(), so
// a tick that arrives while the handler still runs (a box it opened runs
// a nested event loop) is dropped. After each delivered tick the shell's
// afterTick callback brings the screen up to date. The QTimer is the
// owner's child under the control's name ("tmvermomove", ...).
class QtTimer : public Timer {
public:
    QtTimer(QObject* owner, const char* name);
    QtTimer(const QtTimer&) = delete;
    QtTimer& operator=(const QtTimer&) = delete;

    int interval() const override { return interval_; }
    // On a running timer a new interval starts the count afresh.
    void setInterval(int milliseconds) override;
    bool enabled() const override { return enabled_; }
    // Enabling a timer that already runs leaves its count alone.
    void setEnabled(bool on) override;

    void setAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }

private:
    void apply();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
    std::function<void()> afterTick_;
};

}  // namespace vermo
