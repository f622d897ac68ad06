// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>

class QKeyEvent;
class QWidget;

namespace vermo {

// A box takes only the keys pressed for it (D-32): a key already held when
// it came up passes unanswered, and so, in a quiet first quarter second, do
// the keys and the window manager's close. A press at the very moment the
// same key was let go is a repeat X11 left unmarked. Make one right before
// the box opens; it watches the whole application while it lives (Qt drops
// the filter as it goes).
class FreshKeysOnly : public QObject {
public:
    static constexpr int quietMilliseconds = 250;

    enum class QuietStart {
        None,           // the box takes every fresh key at once
        AllKeys,        // every key waits out the quiet quarter second
        ExceptTyping,   // printable keys are taken at once, the rest wait
    };

    FreshKeysOnly(QWidget* box, QuietStart quietStart);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToBox(QObject* watched) const;
    bool inQuietTime() const;
    bool isForTheBox(const QKeyEvent* key) const;

    QWidget* box_;
    QuietStart quietStart_;
    QElapsedTimer sinceShown_;
    // Keys whose press the box took; only their repeats count.
    QSet<int> pressedInBox_;
    // When each key was last let go (window system's time), and whether
    // the box had taken its press.
    struct Release {
        quint64 at;
        bool pressedInBox;
    };
    QHash<int, Release> released_;
};

}  // namespace vermo
