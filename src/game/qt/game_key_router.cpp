// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/qt/game_key_router.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

namespace vermo {

namespace {

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// The keys the game itself takes: the arrows and P, alone or with Shift.
bool isPlainKey(const QKeyEvent* key)
{
    return (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
}

// Escape takes the menu bar out of its keyboard mode, and the keyboard
// back to the widget that had it before Alt.
void leaveMenuBar(QWidget* menuBar)
{
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(menuBar, &escape);
    if (menuBar->hasFocus())
        menuBar->clearFocus();
}

}  // namespace

GameKeyRouter::GameKeyRouter(QWidget* mainWindow, Game game)
    : QObject(mainWindow), mainWindow_(mainWindow), game_(std::move(game))
{
    QCoreApplication::instance()->installEventFilter(this);
}

GameKeyRouter::~GameKeyRouter()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool GameKeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (target == nullptr)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);

    if (isLoneAltInMainWindow(target, key)) {
        key->accept();
        return true;
    }
    if (type != QEvent::KeyPress)
        return false;
    const bool inMenuBar = isGameKeyInMenuBar(target, key);
    if (!inMenuBar && !isGameKeyInOtherWindow(target, key))
        return false;
    game_.takeKey(key);
    key->accept();
    if (inMenuBar)
        leaveMenuBar(target);
    return true;
}

// P while a game is on, an arrow while it runs.
bool GameKeyRouter::isGameKey(const QKeyEvent* key) const
{
    if (!isPlainKey(key) || !game_.isOn())
        return false;
    return key->key() == Qt::Key_P || (isArrow(key->key()) && !game_.isPaused());
}

// While the game is paused the arrows walk the menus; P resumes it.
bool GameKeyRouter::isGameKeyInMenuBar(QWidget* target, const QKeyEvent* key) const
{
    return qobject_cast<QMenuBar*>(target) != nullptr && target->window() == mainWindow_ && isGameKey(key);
}

bool GameKeyRouter::isLoneAltInMainWindow(QWidget* target, const QKeyEvent* key) const
{
    return key->key() == Qt::Key_Alt && target->window() == mainWindow_ && game_.isOn()
        && !game_.isPaused();
}

bool GameKeyRouter::isGameKeyInOtherWindow(QWidget* target, const QKeyEvent* key) const
{
    QWidget* window = target->window();
    return (window == game_.helpWindow() || window == game_.highScoreWindow())
        && QApplication::activeModalWidget() == nullptr && isGameKey(key);
}

}  // namespace vermo
