// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QScreen>
#include <QSize>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/geometry.h"

namespace vermo::units {

// The game measures in twips (1440 to the logical inch) and centimetres
// (1440 / 2.54 twips); pixels appear only on the screen side. At 96 dpi
// one pixel is 15 twips.
inline constexpr double twipsPerInch = 1440.0;
inline constexpr double cmPerInch = 2.54;
inline constexpr double standardDpi = 96.0;

inline double twipsPerPixel(double logicalDpi) { return twipsPerInch / logicalDpi; }

inline int pixelsFromTwips(double twips, double logicalDpi)
{
    return static_cast<int>(std::lround(twips * logicalDpi / twipsPerInch));
}

inline int twipsFromPixels(int pixels, double logicalDpi)
{
    return static_cast<int>(std::lround(pixels * twipsPerPixel(logicalDpi)));
}

// Unrounded, for painting.
inline double pixelsPerCm(double logicalDpi) { return logicalDpi / cmPerInch; }

inline double pixelsFromCm(double cm, double logicalDpi) { return cm * pixelsPerCm(logicalDpi); }

// The screen's logical dots per inch: the widget's screen when it has one,
// else the primary screen, else the standard 96.
inline double logicalDpi(const QWidget* widget = nullptr)
{
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 0.0;
    return dpi > 0.0 ? dpi : standardDpi;
}

// The dots per inch at which a window designed in twips fits the free
// area of its screen, with `around` pixels of menu bar and frame besides:
// the logical dpi, or less where the screen is smaller than the window.
inline double dpiToFit(double logicalDpi, QSize designTwips, QSize around, QSize free)
{
    if (designTwips.isEmpty() || free.isEmpty())
        return logicalDpi;
    const double forWidth = (free.width() - around.width()) * twipsPerInch / designTwips.width();
    const double forHeight = (free.height() - around.height()) * twipsPerInch / designTwips.height();
    return std::max(1.0, std::min({logicalDpi, forWidth, forHeight}));
}

// A game colour &H00BBGGRR& as a QColor.
inline QColor colorFromBgr(Color bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

}  // namespace vermo::units
