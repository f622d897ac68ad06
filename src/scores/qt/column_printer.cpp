// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/qt/column_printer.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace vermo {

namespace {
// Text widths are sums of floating-point advances; a line that ends right
// on a column has not passed it, and a text that ends right on the page's
// edge fits.
constexpr qreal columnTolerance = 1e-6;
}  // namespace

void ColumnPrinter::setFont(qreal points, bool bold)
{
    QFont font = sink_.font();
    font.setPointSizeF(points);
    font.setBold(bold);
    sink_.setFont(font);
}

void ColumnPrinter::printAt(int column, const QString& text)
{
    const QFontMetricsF metrics = sink_.metrics();
    const qreal target = (column - 1) * columnShare_ * metrics.averageCharWidth();
    if (x_ > target + columnTolerance)
        endLine();
    x_ = target;
    startLineIfPageIsFull();
    const qreal room = sink_.pageSize().width() - x_;
    const QString shown = metrics.horizontalAdvance(text) > room + columnTolerance
                              ? metrics.elidedText(text, Qt::ElideRight, room)
                              : text;
    sink_.put(shown, QPointF(x_, y_));
    x_ += metrics.horizontalAdvance(shown);
}

void ColumnPrinter::keepWhole(int column, const QString& text)
{
    const QFontMetricsF metrics = sink_.metrics();
    const qreal before = (column - 1) * metrics.averageCharWidth();
    const qreal room = sink_.pageSize().width() - metrics.horizontalAdvance(text);
    if (before <= 0 || before * columnShare_ <= room)
        return;
    columnShare_ = std::max<qreal>(0, room / before);
}

void ColumnPrinter::endLine()
{
    startLineIfPageIsFull();
    y_ += sink_.metrics().lineSpacing();
    x_ = 0;
}

bool ColumnPrinter::endDocument()
{
    return sink_.finish();
}

void ColumnPrinter::startLineIfPageIsFull()
{
    if (y_ > 0 && y_ + sink_.metrics().lineSpacing() > sink_.pageSize().height()) {
        sink_.newPage();
        y_ = 0;
    }
}

namespace {

// A character the page's font lacks is drawn from a face whose outlines a
// PDF file can carry, never from a colour emoji face (D-79).
QFont withPrintableFallback(QFont font)
{
    QStringList faces = font.families();
    if (faces.isEmpty())
        faces << font.family();
    faces << QStringLiteral("DejaVu Sans") << QStringLiteral("Symbola");
    font.setFamilies(faces);
    return font;
}

}  // namespace

PainterSink::PainterSink(QPainter& painter, QPagedPaintDevice& device)
    : painter_(painter), device_(device)
{
    painter_.setFont(withPrintableFallback(painter_.font()));
}

QFont PainterSink::font() const
{
    return painter_.font();
}

void PainterSink::setFont(const QFont& font)
{
    painter_.setFont(font);
}

QFontMetricsF PainterSink::metrics() const
{
    return QFontMetricsF(painter_.font(), &device_);
}

QSizeF PainterSink::pageSize() const
{
    return QSizeF(device_.width(), device_.height());
}

void PainterSink::newPage()
{
    device_.newPage();
}

void PainterSink::put(const QString& text, QPointF topLeft)
{
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics().ascent()), text);
}

bool PainterSink::finish()
{
    return painter_.end();
}

}  // namespace vermo
