// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>

class QKeyEvent;
class QWidget;

namespace vermo {

// A box takes only the keys pressed for it. A key that was already held
// when the box came up (its repeats arrive marked as repeats) was not
// meant for it, so the box lets it pass unanswered; keys pressed after the
// box was asked for, and their repeats, work as usual.
//
// The boxes of a game over come while the player may still be steering:
// the keys pressed in their first quarter second were meant for the worm
// and pass unanswered too, and so does the window manager's close (Alt+F4)
// in that quarter second. A box that takes typed text (the name prompt)
// takes every printable key at once all the same, P included: a name is
// typed at once, and at the game's end there is no worm left to pause.
// Return and the arrows still wait.
//
// A repeat is known by its mark, or, since X11 sometimes leaves the first
// repeat of a held key unmarked, by a press that comes at the very moment
// the same key was let go.
// Watches the whole application while it lives; make one right before the
// box opens.
class FreshKeysOnly : public QObject {
public:
    static constexpr int quietMilliseconds = 250;

    enum class QuietStart {
        None,           // the box takes every fresh key at once
        AllKeys,        // every key waits out the quiet quarter second
        ExceptTyping,   // printable keys are taken at once, the rest wait
    };

    explicit FreshKeysOnly(QWidget* box, QuietStart quietStart = QuietStart::None);
    ~FreshKeysOnly() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToBox(QObject* watched) const;
    bool inQuietTime() const;
    // A press the box takes: fresh (and not in its quiet time), or a
    // repeat of a key pressed for it.
    bool isForTheBox(const QKeyEvent* key) const;

    QWidget* box_;
    QuietStart quietStart_;
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
