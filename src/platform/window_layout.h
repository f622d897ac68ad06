// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <cmath>

namespace vermo {

// The high-score and help windows are laid out in twips: 1440 to the
// logical inch of the screen they stand on.
inline constexpr double twipsPerInch = 1440.0;

inline QScreen* screenOf(const QWidget* widget)
{
    QScreen* screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

inline int twipsToPixelsX(const QWidget* widget, int twips)
{
    const QScreen* screen = screenOf(widget);
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return static_cast<int>(std::lround(twips * dpi / twipsPerInch));
}

inline int twipsToPixelsY(const QWidget* widget, int twips)
{
    const QScreen* screen = screenOf(widget);
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return static_cast<int>(std::lround(twips * dpi / twipsPerInch));
}

inline QRect twipsRect(const QWidget* widget, int left, int top, int width, int height)
{
    return {twipsToPixelsX(widget, left), twipsToPixelsY(widget, top),
            twipsToPixelsX(widget, width), twipsToPixelsY(widget, height)};
}

// The windows' labels were designed for "MS Sans Serif"; where it is
// missing, the nearest sans-serif face of the same size stands in.
inline QFont windowFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// Puts a top-level window in the middle of its screen's free area.
inline void centreOnScreen(QWidget* window)
{
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    window->move(area.center().x() - frame.width() / 2, area.center().y() - frame.height() / 2);
}

}  // namespace vermo
