// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_timer.h"

namespace vermo {

QtTimer::QtTimer(QObject* owner, const char* name) : timer_(owner)
{
    timer_.setObjectName(QString::fromLatin1(name));
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (fire() && afterTick_)
            afterTick_();
    });
}

void QtTimer::setInterval(int milliseconds)
{
    interval_ = milliseconds;
    apply();
}

void QtTimer::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    apply();
}

// An interval of 0 keeps the timer silent while it stays enabled.
void QtTimer::apply()
{
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}

}  // namespace vermo
