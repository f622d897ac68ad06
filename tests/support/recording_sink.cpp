// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/recording_sink.h"

#include <QFontMetricsF>
#include <QGuiApplication>

namespace vermo::testing {

RecordingSink::RecordingSink() : font_(QGuiApplication::font())
{
}

void RecordingSink::put(const QString& text, QPointF topLeft)
{
    int line = 1;
    if (!printed.empty())
        line = printed.back().line + (topLeft.y() > printed.back().top ? 1 : 0);
    const int column = qRound(topLeft.x() / columnWidth()) + 1;
    printed.push_back({line, column, text, font_.bold(), font_.pointSizeF(), topLeft.x(), topLeft.y()});
}

bool RecordingSink::finish()
{
    finished = true;
    return true;
}

qreal RecordingSink::widthOf(const PrintedText& piece) const
{
    QFont font = font_;
    font.setBold(piece.bold);
    font.setPointSizeF(piece.pointSize);
    return QFontMetricsF(font).horizontalAdvance(piece.text);
}

}  // namespace vermo::testing
