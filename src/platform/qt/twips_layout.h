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

// What the high-score and help windows share: a File menu whose one item,
// E&xit, does `exit` (its bar is part of what must fit the screen); below
// it the client area at its design size in `colour`, kept at that size;
// the window in the middle of its screen's free area the first time it is
// shown, where the player put it after. Its layout places the rest.
struct TwipsWindow : TwipsLayout {
    QWidget* client;
};
TwipsWindow layOutUnderFileMenu(QMainWindow& window, QSize designTwips, QColor colour,
                                const std::function<void()>& exit);

}  // namespace vermo
