// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace vermo {

// The high-score and help windows are laid out in twips. They are measured
// at their screen's logical dots per inch or, where the screen's free area
// is smaller than the whole window with its menu bar and frame, at fewer,
// fonts with them, so the whole window fits (D-60).
class TwipsLayout {
public:
    TwipsLayout(const QWidget* window, QSize designTwips, int menuBarHeight);

    double dpi() const { return dpi_; }
    int pixels(int twips) const;
    QRect rect(int left, int top, int width, int height) const;
    // The windows' face at a design size, drawn smaller with the window.
    QFont font(qreal points, bool bold) const;

private:
    double dpi_;
    double fontScale_;
};

// Puts the window in the middle of its screen's free area the first time it
// is shown; later shows leave it where the player put it.
void centreWhenFirstShown(QWidget& window);

}  // namespace vermo
