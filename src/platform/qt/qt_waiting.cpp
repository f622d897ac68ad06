// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_waiting.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>

namespace vermo {

WaitingShown::~WaitingShown()
{
    if (busyPointer_)
        QGuiApplication::restoreOverrideCursor();
}

void WaitingShown::operator()(bool waiting)
{
    if (waiting != busyPointer_) {
        if (waiting)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
        busyPointer_ = waiting;
    }
    if (paint_)
        paint_();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace vermo
