// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fresh_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vermo {

FreshKeysOnly::FreshKeysOnly(QWidget* box) : box_(box)
{
    QCoreApplication::instance()->installEventFilter(this);
}

FreshKeysOnly::~FreshKeysOnly()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool FreshKeysOnly::belongsToBox(QObject* watched) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && (widget == box_ || box_->isAncestorOf(widget));
}

bool FreshKeysOnly::isForTheBox(const QKeyEvent* key, bool quiet) const
{
    if (quiet)
        return false;
    if (key->isAutoRepeat())
        return pressedInBox_.contains(key->key());
    const auto release = released_.constFind(key->key());
    if (key->timestamp() != 0 && release != released_.constEnd() && release->at == key->timestamp())
        return release->pressedInBox;  // an unmarked repeat
    return true;
}

bool FreshKeysOnly::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show && watched == box_ && !sinceShown_.isValid())
        sinceShown_.start();
    const bool quiet = !sinceShown_.isValid() || sinceShown_.elapsed() < quietMilliseconds;
    if (type == QEvent::Close && watched == box_ && event->spontaneous() && quiet) {
        event->ignore();
        return true;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    if (!belongsToBox(watched))
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    switch (type) {
    case QEvent::ShortcutOverride:
        // Claimed, so no shortcut (Alt+Y, Alt+N) fires either; the press
        // that follows is let through or not below.
        if (!isForTheBox(key, quiet)) {
            key->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        if (!isForTheBox(key, quiet)) {
            key->accept();
            return true;
        }
        pressedInBox_.insert(key->key());
        return false;
    default:  // KeyRelease
        released_.insert(key->key(), {key->timestamp(), pressedInBox_.contains(key->key())});
        if (!key->isAutoRepeat())
            pressedInBox_.remove(key->key());
        return false;
    }
}

}  // namespace vermo
