// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/qt/playfield_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/qt/picture_files.h"
#include "platform/qt/units.h"

namespace vermo {

namespace {

// Only a handful of colour pairs ever appear at once (the worm's green,
// the invisible body, the berry's five kinds); a cache that grows past
// this has seen a passing phase and starts again.
constexpr std::size_t circleCacheLimit = 32;

int roundToPixel(double value) { return static_cast<int>(std::lround(value)); }

// The stamp that matches, looked for first where the last one was found;
// stamps.size() when none does.
template <class Stamp, class Matches>
std::size_t findStamp(const std::vector<Stamp>& stamps, std::size_t& last, Matches matches)
{
    if (last < stamps.size() && matches(stamps[last]))
        return last;
    last = static_cast<std::size_t>(std::find_if(stamps.begin(), stamps.end(), matches) - stamps.begin());
    return last;
}

}  // namespace

PlayfieldWidget::PlayfieldWidget(const FormState& state, Folder folder,
                                 QWidget* parent)
    : QWidget(parent), state_(state), folder_(std::move(folder))
{
    // Every pixel is painted each time, and the keys go to the window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

QRect PlayfieldWidget::spriteBox(float left, float top, float width, float height) const
{
    return {roundToPixel(left * pixelsPerCm_), roundToPixel(top * pixelsPerCm_),
            roundToPixel(width * pixelsPerCm_), roundToPixel(height * pixelsPerCm_)};
}

void PlayfieldWidget::loadPictures()
{
    std::vector<const Image*> boxes = {&state_.headu, &state_.headd, &state_.headl, &state_.headr};
    for (const Image& item : state_.poison.elements())
        boxes.push_back(&item);
    decoded_.clear();
    pictures_.clear();
    for (const Image* box : boxes)
        if (!box->Picture.empty() && decoded_.find(box->Picture) == decoded_.end())
            decoded_.emplace(box->Picture, pictureFromFile(folder_, box->Picture));
}

void PlayfieldWidget::setDpi(double dpi)
{
    if (dpi == dpi_)
        return;
    dpi_ = dpi;
    update();
}

// At a large window a whole paint costs many times a tick. A changed cell
// is painted as its sprite's box with a pixel of margin for smoothed edges.
void PlayfieldWidget::showState()
{
    next_.takeFrom(state_);
    if (!next_.changedSince(shown_, changed_)) {
        update();
    } else {
        const double perCm = units::pixelsPerCm(dpi());
        const int size = roundToPixel(spriteSize * perCm);
        for (const ShownCells::Position& cell : changed_)
            update(roundToPixel(gridCoordinate(cell.column) * perCm) - 1,
                   roundToPixel(gridCoordinate(cell.row) * perCm) - 1, size + 2, size + 2);
    }
    std::swap(shown_, next_);
}

void PlayfieldWidget::paintEvent(QPaintEvent* event)
{
    pixelsPerCm_ = units::pixelsPerCm(dpi());
    pixelRatio_ = devicePixelRatioF();
    dirty_ = event->region();

    QPainter painter(this);
    painter.setClipRegion(dirty_);
    for (const QRect& part : dirty_)
        painter.fillRect(part, units::colorFromBgr(state_.BackColor));

    // Walls: sharp lines one pixel of the design size wide.
    const int wallWidth = std::max(1, roundToPixel(dpi() / units::standardDpi));
    for (const Line* wall : {&state_.lborder, &state_.rborder, &state_.uborder, &state_.dborder}) {
        painter.setPen(QPen(units::colorFromBgr(wall->BorderColor), wallWidth, Qt::SolidLine,
                            Qt::SquareCap));
        painter.drawLine(QPoint(roundToPixel(wall->X1 * pixelsPerCm_), roundToPixel(wall->Y1 * pixelsPerCm_)),
                         QPoint(roundToPixel(wall->X2 * pixelsPerCm_), roundToPixel(wall->Y2 * pixelsPerCm_)));
    }
    drawCircle(painter, state_.berry);
    for (const Image& item : state_.poison.elements())
        drawPicture(painter, item, StandIn::Poison);
    // Tail first, so every segment lies over the one behind it and the
    // head segment over them all.
    const auto& segments = state_.vermo.elements();
    for (auto segment = segments.rbegin(); segment != segments.rend(); ++segment)
        drawCircle(painter, *segment);
    drawPicture(painter, state_.headu, StandIn::HeadUp);
    drawPicture(painter, state_.headd, StandIn::HeadDown);
    drawPicture(painter, state_.headl, StandIn::HeadLeft);
    drawPicture(painter, state_.headr, StandIn::HeadRight);

    painter.end();
    emit painted();
}

void PlayfieldWidget::drawCircle(QPainter& painter, const Circle& circle)
{
    const QRect box = spriteBox(circle.Left, circle.Top, circle.Width, circle.Height);
    if (!circle.Visible || box.isEmpty() || !needed(box))
        return;
    painter.drawPixmap(box.topLeft(), circleStamp(circle.FillColor, circle.BorderColor, box.size()));
}

void PlayfieldWidget::drawPicture(QPainter& painter, const Image& image, StandIn standIn)
{
    // A box that was never given a picture shows nothing.
    if (!image.Visible || image.Picture.empty())
        return;
    const QRect box = spriteBox(image.Left, image.Top, image.Width, image.Height);
    if (box.isEmpty() || !needed(box))
        return;
    painter.drawPixmap(box.topLeft(), pictureStamp(image.Picture, standIn, box.size()));
}

const QPixmap& PlayfieldWidget::circleStamp(Color fill, Color border, QSize size)
{
    const std::size_t found = findStamp(circles_, lastCircle_, [&](const CircleStamp& stamp) {
        return stamp.fill == fill && stamp.border == border && stamp.size == size &&
               stamp.pixmap.devicePixelRatio() == pixelRatio_;
    });
    if (found < circles_.size())
        return circles_[found].pixmap;
    if (circles_.size() >= circleCacheLimit)
        circles_.clear();
    circles_.push_back(
        {fill, border, size, discStamp(size, units::colorFromBgr(border), units::colorFromBgr(fill))});
    lastCircle_ = circles_.size() - 1;
    return circles_.back().pixmap;
}

const QPixmap& PlayfieldWidget::pictureStamp(const std::string& file, StandIn standIn, QSize size)
{
    const std::size_t found = findStamp(pictures_, lastPicture_, [&](const PictureStamp& stamp) {
        return stamp.standIn == standIn && stamp.file == file;
    });
    if (found == pictures_.size()) {
        // A missing or broken file left no picture: the stand-in takes its
        // place.
        const auto picture = decoded_.find(file);
        pictures_.push_back({file, standIn, picture != decoded_.end() ? picture->second : QImage(),
                             QSize(), QPixmap()});
    }
    PictureStamp& stamp = pictures_[found];
    if (stamp.size != size || stamp.pixmap.devicePixelRatio() != pixelRatio_)
        scaleStamp(stamp, size);
    return stamp.pixmap;
}

// The picture stretched to the box, as the image control does.
void PlayfieldWidget::scaleStamp(PictureStamp& stamp, QSize size) const
{
    stamp.size = size;
    if (stamp.source.isNull()) {
        stamp.pixmap = drawStandIn(stamp.standIn, size);
        return;
    }
    QImage scaled = stamp.source.scaled(size * pixelRatio_, Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation);
    stamp.pixmap = QPixmap::fromImage(scaled);
    stamp.pixmap.setDevicePixelRatio(pixelRatio_);
}

// A disc filling the box; its one pixel of outline stays inside the box.
QPixmap PlayfieldWidget::discStamp(QSize size, const QColor& outline, const QColor& fill) const
{
    QPixmap pixmap(size * pixelRatio_);
    pixmap.setDevicePixelRatio(pixelRatio_);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0));
    painter.end();
    return pixmap;
}

// Plain drawings for missing pictures: the head as a green disc with two
// eyes looking the way it faces, a poison item as a purple disc.
QPixmap PlayfieldWidget::drawStandIn(StandIn standIn, QSize size) const
{
    if (standIn == StandIn::Poison)
        return discStamp(size, QColor(0x50, 0x00, 0x60), QColor(0x90, 0x20, 0xb0));
    const QColor green = units::colorFromBgr(colors::wormGreen);
    QPixmap pixmap = discStamp(size, green.darker(150), green);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    // Eyes a quarter of the way apart, pushed towards the facing side.
    const QPointF centre = disc.center();
    const double spread = disc.width() / 4.5;
    const double ahead = disc.width() / 5.0;
    QPointF forward, across;
    switch (standIn) {
    case StandIn::HeadUp: forward = {0, -ahead}; across = {spread, 0}; break;
    case StandIn::HeadDown: forward = {0, ahead}; across = {spread, 0}; break;
    case StandIn::HeadLeft: forward = {-ahead, 0}; across = {0, spread}; break;
    default: forward = {ahead, 0}; across = {0, spread}; break;
    }
    const double eye = std::max(1.0, disc.width() / 9.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre + forward + across, eye, eye);
    painter.drawEllipse(centre + forward - across, eye, eye);
    return pixmap;
}

}  // namespace vermo
