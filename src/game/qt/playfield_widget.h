// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "game/form_state.h"
#include "game/shown_cells.h"
#include "platform/folder.h"

namespace vermo {

// The main window's client area: background, walls, berry, poison items,
// the worm and its head picture, all painted from the game's state in one
// pass. Labels and the start button are child widgets on top.
class PlayfieldWidget : public QWidget {
    Q_OBJECT
public:
    PlayfieldWidget(const FormState& state, Folder folder, QWidget* parent = nullptr);

    // What a picture box shows when its file is missing or cannot be read.
    enum class StandIn { HeadUp, HeadDown, HeadLeft, HeadRight, Poison };

    // Decodes, once after the window's load, the picture files the state's
    // picture boxes name; the paints never read a file.
    void loadPictures();

    // Repaints the cells where anything appeared, vanished, moved or
    // changed colour since the last call (the whole field when the
    // background changed); nothing at all when nothing did.
    void showState();

    // The window's scale: the dots per inch its centimetres are measured in.
    void setDpi(double dpi);

signals:
    // After every completed paint.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A decoded picture and its copy scaled to the sprite box that every
    // paint blits.
    struct PictureStamp {
        std::string file;
        StandIn standIn;
        QImage source;  // null when the file could not be read
        QSize size;
        QPixmap pixmap;
    };
    // A circle drawn once per colour pair and size.
    struct CircleStamp {
        Color fill, border;
        QSize size;
        QPixmap pixmap;
    };

    QRect spriteBox(float left, float top, float width, float height) const;
    const QPixmap& pictureStamp(const std::string& file, StandIn standIn, QSize size);
    const QPixmap& circleStamp(Color fill, Color border, QSize size);
    void drawCircle(QPainter& painter, const Circle& circle);
    void drawPicture(QPainter& painter, const Image& image, StandIn standIn);

    void scaleStamp(PictureStamp& stamp, QSize size) const;
    QPixmap drawStandIn(StandIn standIn, QSize size) const;
    QPixmap discStamp(QSize size, const QColor& outline, const QColor& fill) const;

    bool needed(const QRect& box) const { return dirty_.intersects(box); }

    const FormState& state_;
    // What the last showState() saw, and what this one sees.
    ShownCells shown_, next_;
    std::vector<ShownCells::Position> changed_;
    QRegion dirty_;  // the part of the widget the current paint redraws
    Folder folder_;
    double pixelsPerCm_ = 0;
    double dpi_ = 0;

    double dpi() const { return dpi_ > 0 ? dpi_ : logicalDpiX(); }
    qreal pixelRatio_ = 1;
    // The pictures decoded at start-up, by file name; null when the file
    // was missing or did not decode.
    std::map<std::string, QImage> decoded_;
    std::vector<PictureStamp> pictures_;
    std::vector<CircleStamp> circles_;
    std::size_t lastCircle_ = 0;
    std::size_t lastPicture_ = 0;
};

}  // namespace vermo
