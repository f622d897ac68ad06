// SPDX-License-Identifier: GPL-3.0-or-later
// Where each part of the high-score list stands on paper.
#include "scores/qt/score_printout.h"

#include <string>

#include "platform/qt/text_codec.h"
#include "scores/qt/column_printer.h"

namespace vermo {

namespace {

constexpr qreal listPoints = 24;
constexpr int nameColumn = 10;
// "10.) " is one character longer, so it starts a column earlier and all
// ten names line up.
constexpr int tenthNameColumn = 9;
constexpr int headingScoreColumn = 32;
constexpr int scoreColumn = 35;

// A name's own writing direction stays inside it (first strong isolate ...
// pop): a right-to-left name (Arabic, Hebrew) would otherwise turn the
// whole printed line and pull its place number to the right end.
QString printedName(const std::string& fileBytes)
{
    return QChar(0x2068) + shownTextFromFileBytes(fileBytes) + QChar(0x2069);
}

}  // namespace

QString printedScore(std::int32_t score)
{
    const QString digits = QString::number(score);
    return score < 0 ? digits : QStringLiteral(" ") + digits;
}

bool printScoreList(ColumnPrinter& printer, const ScoreTable& sortedTable)
{
    for (int blank = 0; blank < 4; ++blank)
        printer.endLine();
    // The columns narrow until the heading and every score of the table end
    // on the page (D-58).
    printer.setFont(listPoints, false);
    for (int entry = 1; entry <= 10; ++entry)
        printer.keepWhole(scoreColumn, printedScore(sortedTable.scores[entry]));
    printer.setFont(listPoints, true);
    printer.keepWhole(headingScoreColumn, QStringLiteral("Score"));
    printer.printAt(nameColumn, QStringLiteral("Name"));
    printer.printAt(headingScoreColumn, QStringLiteral("Score"));
    printer.endLine();
    printer.setFont(listPoints, false);
    for (int rank = 1; rank <= 10; ++rank) {
        const int entry = 11 - rank;
        printer.printAt(rank == 10 ? tenthNameColumn : nameColumn,
                        QStringLiteral("%1.) ").arg(rank) + printedName(sortedTable.names[entry]));
        printer.printAt(scoreColumn, printedScore(sortedTable.scores[entry]));
        printer.endLine();
    }
    return printer.endDocument();
}

}  // namespace vermo
