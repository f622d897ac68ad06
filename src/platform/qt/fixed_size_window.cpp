// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/fixed_size_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QVariant>

#include "platform/qt/window_placement.h"

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

// Qt fixes a message box's size as it shows it and whenever its layout
// asks for it (an input box's height through its layout's constraint).
// Once the box has been shown at a size fixed in width or height it is let
// grow, whatever it grows by goes around its contents as margins, and its
// layout's requests go to the layout alone. A box that can be resized both
// ways anyway (the file dialog) is left as it is.
class AnyBoxSize : public QObject {
public:
    // Made as the box is shown.
    explicit AnyBoxSize(QDialog& box) : QObject(&box), box_(&box)
    {
        box.installEventFilter(this);
        QMetaObject::invokeMethod(this, &AnyBoxSize::letGrow, Qt::QueuedConnection);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!designSize_.isValid())
            return false;
        if (event->type() == QEvent::Resize)
            surroundContents();
        // The layout has already been given its request.
        return event->type() == QEvent::LayoutRequest;
    }

private:
    void letGrow()
    {
        if (!box_ || (box_->minimumWidth() != box_->maximumWidth()
                      && box_->minimumHeight() != box_->maximumHeight()))
            return;
        designSize_ = box_->size();
        ownMargins_ = box_->contentsMargins();
        if (box_->layout() != nullptr)
            box_->layout()->setSizeConstraint(QLayout::SetNoConstraint);
        box_->setMinimumSize(designSize_);
        box_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        surroundContents();
    }

    void surroundContents()
    {
        const QSize extra = (box_->size() - designSize_).expandedTo(QSize(0, 0));
        box_->setContentsMargins(ownMargins_ + QMargins(extra.width() / 2, extra.height() / 2,
                                                        extra.width() - extra.width() / 2,
                                                        extra.height() - extra.height() / 2));
    }

    QPointer<QDialog> box_;
    QSize designSize_;
    QMargins ownMargins_;
};

// A child of the application; Qt removes its filter as it goes.
class BoxesTakeAnySize : public QObject {
public:
    explicit BoxesTakeAnySize(QObject* application) : QObject(application)
    {
        application->installEventFilter(this);
    }

protected:
    static constexpr const char* watchedMark = "vermoTakesAnySize";

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto* box = qobject_cast<QDialog*>(watched);
        if (box == nullptr || !box->isWindow() || box->property(watchedMark).toBool())
            return false;
        box->setProperty(watchedMark, true);
        new AnyBoxSize(*box);
        return false;
    }
};

}  // namespace

void keepDesignSize(QMainWindow& window, QWidget* client)
{
    if (windowPlacementOfPlatform() == WindowPlacement::ByCompositor) {
        // What the window grows by is drawn in the client area's colour.
        auto* around = new QWidget(&window);
        around->setPalette(client->palette());
        around->setAutoFillBackground(true);
        auto* centring = new QGridLayout(around);
        centring->setContentsMargins(0, 0, 0, 0);
        centring->addWidget(client, 0, 0, Qt::AlignCenter);
        window.setCentralWidget(around);
        window.layout()->setSizeConstraint(QLayout::SetMinimumSize);
        return;
    }
    window.setCentralWidget(client);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.setWindowFlags((window.windowFlags() & Qt::WindowType_Mask) | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint);
    window.installEventFilter(new UndoMaximise(&window));
}

void letBoxesTakeAnySize()
{
    static QPointer<QObject> watcher;
    QCoreApplication* application = QCoreApplication::instance();
    if (windowPlacementOfPlatform() == WindowPlacement::ByCompositor && application != nullptr
        && !watcher)
        watcher = new BoxesTakeAnySize(application);
}

}  // namespace vermo
