// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <vector>

namespace vermo {
class MainWindow;
}

namespace vermo::bench {

// Watches the main window's movement timer. It notes when each timer
// event arrives (before the game's handler runs) and, once the tick has
// been handled, calls onTick. Timer events that the game drops because an
// earlier tick still waits in a box are counted, not reported.
class TickObserver : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    struct Tick {
        Clock::time_point arrival;
        // Boxes opened and answered while the tick ran (a game over).
        long boxesInside;
    };
    using OnTick = std::function<void(const Tick&)>;
    // How many boxes have been answered so far; none when not given.
    using BoxCount = std::function<long()>;

    TickObserver(MainWindow& window, OnTick onTick, BoxCount boxCount = {});
    ~TickObserver() override;

    long droppedWhileInBox() const { return droppedWhileInBox_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QTimer& timer_;
    OnTick onTick_;
    BoxCount boxCount_;
    struct Arrival {
        Clock::time_point time;
        bool inBox;
        long boxesBefore;
    };
    // A tick that opens a box lets further timer events arrive inside it,
    // so arrivals nest; each timeout takes the innermost one.
    std::vector<Arrival> arrivals_;
    long droppedWhileInBox_ = 0;
};

}  // namespace vermo::bench
