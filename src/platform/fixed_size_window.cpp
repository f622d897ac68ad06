// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fixed_size_window.h"

#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>

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
// asks for it (an input box's through its layout's constraint). Once the
// box is shown it is let grow, whatever it grows by goes around its
// contents as margins, and its layout's requests go to the layout alone.
class AnyBoxSize : public QObject {
public:
    explicit AnyBoxSize(QDialog& box) : QObject(&box), box_(&box) { box.installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const bool grown = designSize_.isValid();
        switch (event->type()) {
        case QEvent::Show:
            if (!grown)
                QMetaObject::invokeMethod(this, &AnyBoxSize::letGrow, Qt::QueuedConnection);
            return false;
        case QEvent::Resize:
            if (grown)
                surroundContents();
            return false;
        case QEvent::LayoutRequest:
            // The layout has already been given the request.
            return grown;
        default:
            return false;
        }
    }

private:
    void letGrow()
    {
        if (!box_ || designSize_.isValid())
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

}  // namespace

void keepDesignSize(QMainWindow& window, QWidget* client, WindowPlacement placement)
{
    if (placement == WindowPlacement::ByCompositor) {
        auto* around = new QWidget(&window);
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

void keepBoxContentsSize(QDialog& box, WindowPlacement placement)
{
    if (placement == WindowPlacement::ByCompositor)
        new AnyBoxSize(box);
}

}  // namespace vermo
