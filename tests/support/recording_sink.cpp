// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/recording_sink.h"

#include <QFontMetricsF>
#include <QGuiApplication>

namespace vermo::testing {

RecordingSink::RecordingSink() : font_(QGuiApplication::font())
{
}

void RecordingSink::put(const QString& text, QPointF topLeft, int line, int column)
{
    printed.push_back({line, column, text, font_.bold(), font_.pointSizeF(), topLeft.x()});
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
