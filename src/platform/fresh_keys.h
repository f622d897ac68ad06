// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>

class QKeyEvent;
class QWidget;

namespace vermo {

// A box takes only the keys pressed for it. Players are still pressing the
// game's keys when a box comes up: a key that was already held then (its
// repeats arrive marked as repeats) and any key pressed in the box's first
// quarter second were meant for the worm, so the box lets them pass
// unanswered, and so does the window manager's close (Alt+F4) in that
// quarter second. Keys pressed afterwards, and their repeats, work as usual.
//
// A repeat is known by its mark, or, since X11 sometimes leaves the first
// repeat of a held key unmarked, by a press that comes at the very moment
// the same key was let go.
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
    // A press the box takes: fresh, or a repeat of a key pressed for it.
    bool isForTheBox(const QKeyEvent* key, bool quiet) const;

    QWidget* box_;
    QElapsedTimer sinceShown_;
    // Keys whose press the box took; only their repeats count.
    QSet<int> pressedInBox_;
    // When each key was last let go, in the window system's time, and
    // whether the box had taken its press.
    struct Release {
        quint64 at;
        bool pressedInBox;
    };
    QHash<int, Release> released_;
};

}  // namespace vermo
