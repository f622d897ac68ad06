// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSet>

class QWidget;

namespace vermo {

// A box takes only the keys pressed for it. Players are still pressing the
// game's keys when a box comes up: a key that was already held then (its
// repeats arrive marked as repeats) and any key pressed in the box's first
// quarter second were meant for the worm, so the box lets them pass
// unanswered. Keys pressed afterwards, and their repeats, work as usual.
// Watches the whole application while it lives; make one right before the
// box opens.
class FreshKeysOnly : public QObject {
public:
    static constexpr int quietMilliseconds = 250;

    explicit FreshKeysOnly(QWidget* box);
    ~FreshKeysOnly() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToBox(QObject* watched) const;

    QWidget* box_;
    QElapsedTimer sinceShown_;
    // Keys whose press the box took; only their repeats count.
    QSet<int> pressedInBox_;
};

}  // namespace vermo
