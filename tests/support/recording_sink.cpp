// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/recording_sink.h"

#include <QFontMetricsF>
#include <QGuiApplication>

namespace vermo::testing {

RecordingSink::RecordingSink() : font_(QGuiApplication::font())
{
}

qreal RecordingSink::columnWidth() const
{
    return QFontMetricsF(font_).averageCharWidth();
}

qreal RecordingSink::textWidth(const QString& text) const
{
    return QFontMetricsF(font_).horizontalAdvance(text);
}

qreal RecordingSink::lineHeight() const
{
    return QFontMetricsF(font_).lineSpacing();
}

qreal RecordingSink::pageHeight() const
{
    return std::numeric_limits<qreal>::infinity();
}

QString RecordingSink::elided(const QString& text, qreal room) const
{
    return QFontMetricsF(font_).elidedText(text, Qt::ElideRight, room);
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
