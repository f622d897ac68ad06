// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/scaled_client.h"

#include <algorithm>

#include "platform/qt/units.h"

namespace vermo {

ScaledClient::ScaledClient(QSize designTwips, double openingDpi, QColor around, QWidget* parent)
    : QWidget(parent), designTwips_(designTwips), openingDpi_(openingDpi)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, around);
    setPalette(colours);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ScaledClient::setBoard(QWidget* board, std::function<void(double dpi)> layOut)
{
    board_ = board;
    layOut_ = std::move(layOut);
    dpi_ = 0;
    place();
}

void ScaledClient::displace(QPoint twips)
{
    displacement_ = twips;
    place();
}

QSize ScaledClient::sizeHint() const
{
    return {units::pixelsFromTwips(designTwips_.width(), openingDpi_),
            units::pixelsFromTwips(designTwips_.height(), openingDpi_)};
}

// Half the opening size each way; smaller, the panel's text is no longer
// readable.
QSize ScaledClient::minimumSizeHint() const { return sizeHint() / 2; }

void ScaledClient::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

// Every pixel is worked out afresh from the design's twips and the one
// scale, never from where the board stood before.
void ScaledClient::place()
{
    // Until it is first given a size, the client has the size it asks for.
    const QSize area = testAttribute(Qt::WA_Resized) ? size() : sizeHint();
    if (board_ == nullptr || designTwips_.isEmpty() || area.isEmpty())
        return;
    const double dpi = std::min(area.width() * twipsPerInch / designTwips_.width(),
                                area.height() * twipsPerInch / designTwips_.height());
    if (dpi != dpi_) {
        dpi_ = dpi;
        layOut_(dpi);
    }
    const QSize size(units::pixelsFromTwips(designTwips_.width(), dpi),
                     units::pixelsFromTwips(designTwips_.height(), dpi));
    const QPoint middle((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    const QPoint offset(units::pixelsFromTwips(displacement_.x(), dpi),
                        units::pixelsFromTwips(displacement_.y(), dpi));
    board_->setGeometry(QRect(middle + offset, size));
}

}  // namespace vermo
