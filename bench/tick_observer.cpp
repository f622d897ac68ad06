// SPDX-License-Identifier: GPL-3.0-or-later
#include "tick_observer.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

#include "game/qt/main_window.h"
#include "support/window_parts.h"

namespace vermo::bench {

TickObserver::TickObserver(MainWindow& window, OnTick onTick, BoxCount boxCount)
    : timer_(*testing::timer(window, "tmvermomove")), onTick_(std::move(onTick)), boxCount_(std::move(boxCount))
{
    // The arrival time comes from the application's event filter, which
    // sees the timer event before the QTimer turns it into a timeout.
    QCoreApplication::instance()->installEventFilter(this);
    // Connected after the window's own handler, so this runs once the
    // tick (and the screen update it asks for) has been handled.
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        if (arrivals_.empty())
            return;
        const Arrival arrival = arrivals_.back();
        arrivals_.pop_back();
        if (arrival.inBox) {
            ++droppedWhileInBox_;
            return;
        }
        onTick_({arrival.time, boxCount_ ? boxCount_() - arrival.boxesBefore : 0});
    });
}

TickObserver::~TickObserver()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool TickObserver::eventFilter(QObject* watched, QEvent* event)
{
    // An arrival while an earlier one is still being handled comes inside
    // the box that tick opened.
    if (event->type() == QEvent::Timer && watched == &timer_ &&
        static_cast<QTimerEvent*>(event)->timerId() == timer_.timerId())
        arrivals_.push_back({Clock::now(), !arrivals_.empty(), boxCount_ ? boxCount_() : 0});
    return false;
}

}  // namespace vermo::bench
