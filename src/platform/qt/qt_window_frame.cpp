// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_window_frame.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "game/board.h"
#include "platform/qt/picture_files.h"
#include "platform/qt/units.h"

namespace vermo {

QtWindowFrame::QtWindowFrame(QWidget* window, IconFiles& icons, WindowPlacement placement)
    : window_(window),
      icons_(icons),
      placement_(placement),
      wantedLeft_(homeLeftTwips),
      wantedTop_(homeTopTwips)
{
}

void QtWindowFrame::setContents(QWidget* contents)
{
    contents_ = contents;
    displaceContents();
}

double QtWindowFrame::dpi() const { return dpi_ > 0 ? dpi_ : units::logicalDpi(window_); }

int QtWindowFrame::left() const
{
    if (placement_ == WindowPlacement::ByCompositor)
        return wantedLeft_;
    return units::twipsFromPixels(window_->frameGeometry().x(), dpi());
}

int QtWindowFrame::top() const
{
    if (placement_ == WindowPlacement::ByCompositor)
        return wantedTop_;
    return units::twipsFromPixels(window_->frameGeometry().y(), dpi());
}

// QWidget::move places the outer frame of a top-level window.
void QtWindowFrame::setLeft(int twips)
{
    if (placement_ == WindowPlacement::ByCompositor) {
        wantedLeft_ = twips;
        displaceContents();
        return;
    }
    window_->move(units::pixelsFromTwips(twips, dpi()), window_->frameGeometry().y());
}

void QtWindowFrame::setTop(int twips)
{
    if (placement_ == WindowPlacement::ByCompositor) {
        wantedTop_ = twips;
        displaceContents();
        return;
    }
    window_->move(window_->frameGeometry().x(), units::pixelsFromTwips(twips, dpi()));
}

void QtWindowFrame::displaceContents()
{
    if (placement_ != WindowPlacement::ByCompositor || !contents_)
        return;
    const QPoint offset(units::pixelsFromTwips(wantedLeft_ - homeLeftTwips, dpi()),
                        units::pixelsFromTwips(wantedTop_ - homeTopTwips, dpi()));
    if (contents_->pos() != offset)
        contents_->move(offset);
}

void QtWindowFrame::setIcon(const std::string& file)
{
    const QIcon& icon = icons_.icon(file);
    window_->setWindowIcon(icon.isNull() ? standInIcon() : icon);
}

QIcon QtWindowFrame::standInIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(units::colorFromBgr(colors::wormGreen));
        painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace vermo
