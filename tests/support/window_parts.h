// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's parts, found as any Qt program finds its children: by
// the control names the game gives them ("cmdstart", "lblscore",
// "tmvermomove", ...), and the windows it opened among the application's.

#include <QApplication>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>

namespace vermo::testing {

template <class Part>
Part* part(const QObject& window, const char* name)
{
    return window.findChild<Part*>(QString::fromLatin1(name));
}

inline QPushButton* startButton(const QObject& window) { return part<QPushButton>(window, "cmdstart"); }
inline QLabel* label(const QObject& window, const char* name) { return part<QLabel>(window, name); }
inline QTimer* timer(const QObject& window, const char* name) { return part<QTimer>(window, name); }

// The open window of that kind (the High Scores or the help window).
template <class Window>
Window* openWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget))
            return window;
    return nullptr;
}

// One tick, delivered as the timer's interval running out delivers it.
inline void fire(QTimer* timer)
{
    QMetaObject::invokeMethod(timer, "timeout");
}

}  // namespace vermo::testing
