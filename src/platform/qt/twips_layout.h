// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

#include <functional>

class QMainWindow;
class QWidget;

namespace vermo {

// The high-score and help windows, laid out in twips under a File menu
// whose one item, E&xit, does `exit`. They are measured at their screen's
// logical dots per inch or, where the screen's free area is smaller than
// the whole window with its menu bar and frame, at fewer, fonts with them
// (D-60). The client area, in `colour`, keeps its design size (D-36); the
// window stands in the middle of its screen's free area the first time it
// is shown, where the player put it after.
struct TwipsWindow {
    QWidget* client;
    double dpi;
    double fontScale;

    int pixels(int twips) const;
    QRect rect(int left, int top, int width, int height) const;
    // The windows' face at a design size, drawn smaller with the window.
    QFont font(qreal points, bool bold) const;
};
TwipsWindow layOutUnderFileMenu(QMainWindow& window, QSize designTwips, QColor colour,
                                const std::function<void()>& exit);

}  // namespace vermo
