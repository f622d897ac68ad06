// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QSize>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/measures.h"

namespace vermo::units {

// At the standard 96 dpi one pixel is 15 twips.
inline constexpr double standardDpi = 96.0;

inline int pixelsFromTwips(double twips, double logicalDpi)
{
    return static_cast<int>(std::lround(twips * logicalDpi / twipsPerInch));
}

inline int twipsFromPixels(int pixels, double logicalDpi)
{
    return static_cast<int>(std::lround(pixels * (twipsPerInch / logicalDpi)));
}

// Unrounded, for painting.
inline double pixelsPerCm(double logicalDpi) { return logicalDpi / cmPerInch; }

// The screen a window stands on: its own when it has one, else the primary.
inline QScreen* screenOf(const QWidget* widget)
{
    QScreen* screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The screen's logical dots per inch across; 96 without a screen.
inline double logicalDpi(const QWidget* widget = nullptr)
{
    const QScreen* screen = screenOf(widget);
    const double dpi = screen ? screen->logicalDotsPerInchX() : 0.0;
    return dpi > 0.0 ? dpi : standardDpi;
}

// The game's face, or where it is missing the nearest sans-serif face at
// the same size (D-29).
inline QFont gameFont(const QString& designFace, qreal pointSize)
{
    QFont font;
    QStringList faces{designFace};
    if (designFace == QLatin1String("MS Sans Serif"))
        faces << QStringLiteral("Microsoft Sans Serif");
    faces << QStringLiteral("Liberation Sans") << QStringLiteral("Arial")
          << QStringLiteral("Nimbus Sans") << QStringLiteral("DejaVu Sans");
    font.setFamilies(faces);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

inline QFont windowFont(qreal pointSize, bool bold)
{
    QFont font = gameFont(QStringLiteral("MS Sans Serif"), pointSize);
    font.setBold(bold);
    return font;
}

// The dots per inch at which a window designed in twips fits the free area
// of its screen with `around` pixels besides: the logical dpi, or less.
inline double dpiToFit(double logicalDpi, QSize designTwips, QSize around, QSize free)
{
    if (designTwips.isEmpty() || free.isEmpty())
        return logicalDpi;
    const double forWidth = (free.width() - around.width()) * twipsPerInch / designTwips.width();
    const double forHeight = (free.height() - around.height()) * twipsPerInch / designTwips.height();
    return std::max(1.0, std::min({logicalDpi, forWidth, forHeight}));
}

// dpiToFit for a window with its menu bar, on the screen it opens on, with
// room for the window manager's title bar and borders.
inline double dpiToFitScreen(const QWidget* window, QSize designTwips, int menuBarHeight)
{
    const QScreen* screen = screenOf(window);
    return dpiToFit(logicalDpi(window), designTwips, QSize(16, 48 + menuBarHeight),
                    screen != nullptr ? screen->availableGeometry().size() : QSize());
}

// A game colour &H00BBGGRR& as a QColor.
inline QColor colorFromBgr(Color bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

}  // namespace vermo::units
