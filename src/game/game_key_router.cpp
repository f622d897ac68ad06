// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game_key_router.h"

#include <QApplication>
#include <QKeyEvent>
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
    if (type == QEvent::KeyPress && isGameKeyInOtherWindow(target, key)) {
        game_.takeKey(key);
        key->accept();
        return true;
    }
    return false;
}

bool GameKeyRouter::isLoneAltInMainWindow(QWidget* target, const QKeyEvent* key) const
{
    if (key->key() != Qt::Key_Alt || target->window() != mainWindow_)
        return false;
    return game_.isOn() && !game_.isPaused();
}

bool GameKeyRouter::isGameKeyInOtherWindow(QWidget* target, const QKeyEvent* key) const
{
    const bool arrow = isArrow(key->key());
    if ((!arrow && key->key() != Qt::Key_P) || !isPlainKey(key))
        return false;
    QWidget* window = target->window();
    if (window == mainWindow_ || QApplication::activeModalWidget() != nullptr)
        return false;
    if (window != game_.helpWindow() && window != game_.highScoreWindow())
        return false;
    return game_.isOn() && (!arrow || !game_.isPaused());
}

}  // namespace vermo
