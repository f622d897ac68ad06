// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_input.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "game/vermo_game.h"

namespace vermo::bench {

void pressKey(QObject& window, int virtualKey)
{
    Qt::Key key = Qt::Key_unknown;
    switch (virtualKey) {
    case keys::Left: key = Qt::Key_Left; break;
    case keys::Up: key = Qt::Key_Up; break;
    case keys::Right: key = Qt::Key_Right; break;
    case keys::Down: key = Qt::Key_Down; break;
    case keys::P: key = Qt::Key_P; break;
    default: return;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &release);
}

}  // namespace vermo::bench
