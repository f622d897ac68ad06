// SPDX-License-Identifier: GPL-3.0-or-later
// Where each part of the high-score list stands on paper.
#include "scores/qt/score_printout.h"

#include "platform/qt/text_codec.h"
#include "scores/qt/column_printer.h"

namespace vermo {

namespace {

constexpr int nameColumn = 10;
// "10.) " is one character longer, so it starts a column earlier and all
// ten names line up.
constexpr int tenthNameColumn = 9;
constexpr int headingScoreColumn = 32;
constexpr int scoreColumn = 35;

// A name's own writing direction stays inside it: a right-to-left name
// (Arabic, Hebrew) would otherwise turn the whole printed line and pull
// its place number to the right end.
QString directionIsolated(const QString& name)
{
    return QChar(0x2068) + name + QChar(0x2069);  // first strong isolate ... pop
}

QString printedName(const ScoreTable& table, int entry)
{
    return directionIsolated(shownTextFromFileBytes(table.names[entry]));
}

// The columns count in the printer's average character width, which on a
// narrow page or in a wide font leaves too little room at the right for a
// long score. They narrow until the heading and every score of the table
// end on the page.
void keepHeadingAndScoresWhole(ColumnPrinter& printer, const ScoreTable& table)
{
    printer.setBold(false);
    for (int entry = 1; entry <= 10; ++entry)
        printer.keepWhole(scoreColumn, printedScore(table.scores[entry]));
    printer.setBold(true);
    printer.keepWhole(headingScoreColumn, QStringLiteral("Score"));
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
    printer.setPointSize(24);
    keepHeadingAndScoresWhole(printer, sortedTable);
    printer.setBold(true);
    printer.printAt(nameColumn, QStringLiteral("Name"));
    printer.printAt(headingScoreColumn, QStringLiteral("Score"));
    printer.endLine();
    printer.setBold(false);
    for (int rank = 1; rank <= 10; ++rank) {
        const int entry = 11 - rank;
        printer.printAt(rank == 10 ? tenthNameColumn : nameColumn,
                        QStringLiteral("%1.) ").arg(rank) + printedName(sortedTable, entry));
        printer.printAt(scoreColumn, printedScore(sortedTable.scores[entry]));
        printer.endLine();
    }
    return printer.endDocument();
}

}  // namespace vermo
