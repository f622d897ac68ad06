// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace vermo {

// A timer of a window: an interval in milliseconds, an enabled flag and a
// tick event. The game counts on one promise: a tick handler is never
// entered again while it is still running, not even while a message box
// that it opened is waiting for the player. Such a tick is dropped; other
// timers keep ticking meanwhile.
class Timer {
public:
    using Handler = std::function<void()>;

    virtual ~Timer() = default;

    virtual int interval() const = 0;
    virtual void setInterval(int milliseconds) = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool on) = 0;

    void onTick(Handler handler) { handler_ = std::move(handler); }

    // Hands one tick to the handler; returns false when the tick was
    // dropped because the handler is still running.
    bool fire();

private:
    Handler handler_;
    bool running_ = false;
};

}  // namespace vermo
