// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QWidget>
#include <functional>

namespace vermo {

// A window's client area at any size: one board designed in twips, shown
// at the one scale that fits the area whole, in its middle, the area's own
// colour around it. The scale is a number of dots per inch at which the
// board's twips are measured; the board lays its children out at it.
class ScaledClient : public QWidget {
public:
    // openingDpi: the dots per inch the client asks to open at (the
    // screen's own, or less where the design is larger than the screen).
    ScaledClient(QSize designTwips, double openingDpi, QColor around, QWidget* parent = nullptr);

    // layOut is called with the new dots per inch whenever the scale
    // changes, before the board takes its new size.
    void setBoard(QWidget* board, std::function<void(double dpi)> layOut);

    // Moves the board by an offset in twips from the middle (the shake
    // drawn inside the window); (0, 0) puts it back.
    void displace(QPoint twips);

    double dpi() const { return dpi_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void place();

    QSize designTwips_;
    double openingDpi_;
    QWidget* board_ = nullptr;
    std::function<void(double)> layOut_;
    QPoint displacement_;
    double dpi_ = 0;
};

}  // namespace vermo
