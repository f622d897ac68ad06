// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/window_focus.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QTimer>
#include <QWindow>

#include <algorithm>

#include "platform/qt/units.h"
#include "platform/qt/window_placement.h"

namespace vermo {

void centreOnOwner(QWidget& box, const QWidget* owner)
{
    const QScreen* screen = units::screenOf(owner != nullptr ? owner : &box);
    const QRect free = screen != nullptr ? screen->availableGeometry() : QRect();
    // A window not shown yet has no frame: its geometry is where it goes.
    const QRect around = owner != nullptr ? owner->frameGeometry() : free;
    const QSize size = box.frameGeometry().size();
    QPoint place = around.center() - QPoint(size.width() / 2, size.height() / 2);
    if (free.isValid()) {
        place.setX(std::clamp(place.x(), free.left(), std::max(free.left(), free.right() - size.width())));
        place.setY(std::clamp(place.y(), free.top(), std::max(free.top(), free.bottom() - size.height())));
    }
    box.move(place);
}

namespace {

class CentredOnOwner : public QObject {
public:
    CentredOnOwner(QWidget& box, const QWidget* owner, bool firstShowOnly)
        : QObject(&box), box_(box), owner_(owner), firstShowOnly_(firstShowOnly)
    {
        box.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const bool appeared = box_.windowHandle() != nullptr && box_.windowHandle()->isExposed();
        if (event->type() == QEvent::Show || (event->type() == QEvent::Resize && !appeared))
            centreOnOwner(box_, owner_);
        if (event->type() == QEvent::Show && firstShowOnly_)
            deleteLater();
        return false;
    }

private:
    QWidget& box_;
    QPointer<const QWidget> owner_;
    bool firstShowOnly_;
};

}  // namespace

void keepCentredOnOwner(QWidget& box, const QWidget* owner)
{
    new CentredOnOwner(box, owner, false);
}

void centreWhenFirstShown(QWidget& window)
{
    new CentredOnOwner(window, nullptr, true);
}

void giveKeyboardBack(QWidget* window)
{
    if (window == nullptr || !window->isVisible() || window->isMinimized())
        return;
    if (QApplication::activeModalWidget() != nullptr)
        return;
    // A compositor hands the keyboard on as it likes once a box has gone,
    // and may do so after the program has asked for its window: for a
    // moment the program asks again, the first time it lands elsewhere.
    if (windowPlacementOfPlatform() == WindowPlacement::ByCompositor) {
        auto* askingAgain = new QObject(window);
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, askingAgain,
                         [window, askingAgain](QWindow* now) {
                             if (now != nullptr && now != window->windowHandle()
                                 && QApplication::activeModalWidget() == nullptr
                                 && window->isVisible())
                                 window->activateWindow();
                             askingAgain->deleteLater();
                         });
        QTimer::singleShot(1000, askingAgain, [askingAgain] { askingAgain->deleteLater(); });
    }
    if (!window->isActiveWindow())
        window->activateWindow();
}

}  // namespace vermo
