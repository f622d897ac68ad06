// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/fresh_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace vermo {

namespace {

// A character as typed into a text field, and no shortcut. P is one too:
// with the worm dead there is nothing left for it to pause.
bool isTyping(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

}  // namespace

FreshKeysOnly::FreshKeysOnly(QWidget* box, QuietStart quietStart)
    : box_(box), quietStart_(quietStart)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool FreshKeysOnly::belongsToBox(QObject* watched) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && (widget == box_ || box_->isAncestorOf(widget));
}

bool FreshKeysOnly::inQuietTime() const
{
    if (quietStart_ == QuietStart::None)
        return false;
    return !sinceShown_.isValid() || sinceShown_.elapsed() < quietMilliseconds;
}

bool FreshKeysOnly::isForTheBox(const QKeyEvent* key) const
{
    if (inQuietTime() && !(quietStart_ == QuietStart::ExceptTyping && isTyping(key)))
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
    if (type == QEvent::Close && watched == box_ && event->spontaneous() && inQuietTime()) {
        event->ignore();
        return true;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    if (!belongsToBox(watched))
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyRelease) {
        released_.insert(key->key(), {key->timestamp(), pressedInBox_.contains(key->key())});
        if (!key->isAutoRepeat())
            pressedInBox_.remove(key->key());
        return false;
    }
    // A claimed ShortcutOverride keeps shortcuts (Alt+Y, Alt+N) from firing.
    if (!isForTheBox(key)) {
        key->accept();
        return true;
    }
    if (type == QEvent::KeyPress)
        pressedInBox_.insert(key->key());
    return false;
}

}  // namespace vermo
