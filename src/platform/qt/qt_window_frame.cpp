// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_window_frame.h"

#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include "platform/qt/picture_files.h"
#include "platform/qt/units.h"

namespace vermo {

// A window manager's frame and a scale factor's rounding may shift the
// place read back by a pixel: that is no move by the player (D-57).
constexpr int readBackSlack = 2;

QtWindowFrame::QtWindowFrame(QWidget* window, IconFiles& icons, WindowPlacement placement)
    : window_(window), icons_(icons), placement_(placement)
{
    wanted_ = rest_ = where();
    inside_ = movesInside();
    window_->installEventFilter(this);
}

void QtWindowFrame::setDisplace(Displace displace)
{
    displace_ = std::move(displace);
    this->displace();
}

bool QtWindowFrame::movesInside() const
{
    return placement_ == WindowPlacement::ByCompositor
        || (window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
}

QPoint QtWindowFrame::where() const
{
    if (inside_)
        return wanted_;
    const QPoint shown = window_->frameGeometry().topLeft();
    if (placedAt_ && (shown - *placedAt_).manhattanLength() <= readBackSlack)
        return wanted_;
    const double dpi = units::logicalDpi(window_);
    return {units::twipsFromPixels(shown.x(), dpi), units::twipsFromPixels(shown.y(), dpi)};
}

void QtWindowFrame::comeToRest(int left, int top)
{
    if (inside_)
        rest_ = {left, top};
    moveTo({left, top});
}

void QtWindowFrame::moveTo(QPoint twips)
{
    wanted_ = twips;
    if (inside_) {
        displace();
        return;
    }
    // QWidget::move places the outer frame of a top-level window.
    const double dpi = units::logicalDpi(window_);
    placedAt_ = QPoint(units::pixelsFromTwips(twips.x(), dpi), units::pixelsFromTwips(twips.y(), dpi));
    window_->move(*placedAt_);
}

void QtWindowFrame::displace()
{
    if (displace_)
        displace_(inside_ ? wanted_ - rest_ : QPoint());
}

// A window maximised or made full screen cannot move: from then on moves
// are shown inside it, from where the game last put it (the window's own
// place may already be the maximised one). Made normal again, it goes
// where the game's moves have taken it since, if anywhere.
bool QtWindowFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::WindowStateChange
        && movesInside() != inside_) {
        if (!inside_) {
            if (!placedAt_)
                wanted_ = where();
            rest_ = normal_ = wanted_;
            inside_ = true;
        } else {
            inside_ = false;
            placedAt_.reset();
            if (wanted_ != normal_)
                QTimer::singleShot(0, window_, [this, wanted = wanted_] { moveTo(wanted); });
        }
        displace();
    }
    return false;
}

void QtWindowFrame::setIcon(const std::string& file)
{
    const QIcon& icon = icons_.icon(file);
    window_->setWindowIcon(icon.isNull() ? standInIcon() : icon);
}

// The worm's green disc.
QIcon QtWindowFrame::standInIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x00, 0x80, 0x00));
        painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace vermo
