// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <limits>
#include <vector>

#include "scores/qt/column_printer.h"

namespace vermo::testing {

// One piece of printed text as the printer placed it.
struct PrintedText {
    // The line of text it stands on, counting from the first line that
    // holds text, and the print column its left edge is at in its font.
    int line;
    int column;
    QString text;
    bool bold;
    qreal pointSize;
    // From the page's top left corner, in the sink's units.
    qreal left;
    qreal top;
};

// Keeps what would be printed, measured in the screen's font metrics.
class RecordingSink : public PrintSink {
public:
    // Starts in the application's default font, as a printer starts in its own.
    RecordingSink();

    QFont font() const override { return font_; }
    void setFont(const QFont& font) override { font_ = font; }
    QFontMetricsF metrics() const override { return QFontMetricsF(font_); }
    // Endless downwards.
    QSizeF pageSize() const override { return {width, std::numeric_limits<qreal>::infinity()}; }
    void newPage() override {}
    void put(const QString& text, QPointF topLeft) override;
    bool finish() override;

    // One print column and a text's width, in the current font.
    qreal columnWidth() const { return metrics().averageCharWidth(); }
    qreal textWidth(const QString& text) const { return metrics().horizontalAdvance(text); }
    // The piece's width in the font it was printed in.
    qreal widthOf(const PrintedText& piece) const;

    std::vector<PrintedText> printed;
    bool finished = false;
    // Endless unless a test sets it.
    qreal width = std::numeric_limits<qreal>::infinity();

private:
    QFont font_;
};

}  // namespace vermo::testing
