// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fixed_size_window.h"

#include <QEvent>
#include <QWidget>

namespace vermo {

namespace {

class UndoMaximise : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange) {
            auto* window = static_cast<QWidget*>(watched);
            const Qt::WindowStates grown = Qt::WindowMaximized | Qt::WindowFullScreen;
            if (window->windowState() & grown)
                window->setWindowState(window->windowState() & ~grown);
        }
        return false;
    }
};

}  // namespace

void offerNoMaximise(QWidget* window)
{
    window->setWindowFlags((window->windowFlags() & Qt::WindowType_Mask) | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint);
    window->installEventFilter(new UndoMaximise(window));
}

}  // namespace vermo
