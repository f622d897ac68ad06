// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace vermo {

// Where printed text goes: a page through a painter, or a record for a
// test. Lengths are in the sink's own device units.
class PrintSink {
public:
    virtual ~PrintSink() = default;

    virtual QFont font() const = 0;
    virtual void setFont(const QFont& font) = 0;
    // The current font's measures on the page. One print column is its
    // average character width.
    virtual QFontMetricsF metrics() const = 0;
    // The printable part of a page.
    virtual QSizeF pageSize() const = 0;
    virtual void newPage() = 0;
    // Puts text on the page with its top left corner at topLeft.
    virtual void put(const QString& text, QPointF topLeft) = 0;
    // Ends the document. False when the job failed.
    virtual bool finish() = 0;
};

// Prints text at character columns, line by line. Columns count from 1 at
// the left margin.
class ColumnPrinter {
public:
    explicit ColumnPrinter(PrintSink& sink) : sink_(sink) {}

    // The current font at that size, bold or not.
    void setFont(qreal points, bool bold);
    // Moves to the column, then prints the text. A column the line has
    // already passed is taken on the next line. Text that would run past
    // the page's right edge ends there in an ellipsis.
    void printAt(int column, const QString& text);
    // Narrows the columns, where the page is too narrow for them, so that
    // the text printed at the column in the current font ends on the page.
    // Every column narrows by the same share, so the layout keeps its shape.
    void keepWhole(int column, const QString& text);
    // Ends the line; on a line with nothing printed this is an empty line
    // in the current font.
    void endLine();
    // Sends the document off. False when the job failed.
    bool endDocument();

private:
    PrintSink& sink_;
    qreal x_ = 0;
    qreal y_ = 0;
    // The share of the font's average character width that one column
    // takes: 1 unless a text had to be kept whole on a narrow page.
    qreal columnShare_ = 1;

    void startLineIfPageIsFull();
};

// A painter's device as the page: a printer or a PDF file. The painter
// must already be active on the device. Every character that the window
// can draw is printed with a face the page can carry.
class PainterSink : public PrintSink {
public:
    PainterSink(QPainter& painter, QPagedPaintDevice& device);

    QFont font() const override;
    void setFont(const QFont& font) override;
    QFontMetricsF metrics() const override;
    QSizeF pageSize() const override;
    void newPage() override;
    void put(const QString& text, QPointF topLeft) override;
    bool finish() override;

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
};

}  // namespace vermo
