// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>

#include <algorithm>
#include <string>
#include <vector>

#include "scores/qt/column_printer.h"
#include "scores/qt/score_printout.h"
#include "support/recording_sink.h"

namespace vermo {
namespace {

using testing::PrintedText;
using testing::RecordingSink;

struct Expected {
    int line;
    int column;
    QString text;
    bool bold;
};

void expectPrinted(const RecordingSink& sink, const std::vector<Expected>& expected)
{
    ASSERT_EQ(sink.printed.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("printed piece " + std::to_string(i) + ": " + expected[i].text.toStdString());
        EXPECT_EQ(sink.printed[i].line, expected[i].line);
        EXPECT_EQ(sink.printed[i].column, expected[i].column);
        EXPECT_EQ(sink.printed[i].text, expected[i].text);
        EXPECT_EQ(sink.printed[i].bold, expected[i].bold);
        EXPECT_EQ(sink.printed[i].pointSize, 24.0);
    }
}

// A printed rank and name: the name in a direction of its own, so a
// right-to-left name cannot move the rank.
QString ranked(const QString& rank, const QString& name)
{
    return rank + QChar(0x2068) + name + QChar(0x2069);
}

// An ascending table as SortScores leaves it: entry 10 is the best.
ScoreTable sortedTable(const std::vector<std::pair<std::string, int>>& lowestFirst)
{
    ScoreTable table;
    for (int entry = 1; entry <= 10; ++entry) {
        table.names[entry] = lowestFirst[entry - 1].first;
        table.scores[entry] = lowestFirst[entry - 1].second;
    }
    return table;
}

// A sink at 24 points, as the list is printed, on a page so many columns wide.
void setPageColumns(RecordingSink& sink, qreal columns)
{
    QFont font = sink.font();
    font.setPointSize(24);
    sink.setFont(font);
    sink.width = columns * sink.columnWidth();
}

TEST(ScorePrintout, PutsHeadingRanksNamesAndScoresAtTheirColumns)
{
    const ScoreTable table = sortedTable({{"Jo", -5}, {"Ivy", 0}, {"Hal", 10}, {"Gus", 20},
                                          {"Fay", 30}, {"Eve", 40}, {"Dan", 50}, {"Cara", 60},
                                          {"Bob", 70}, {"Abe", 1234}});
    RecordingSink sink;
    ColumnPrinter printer(sink);
    printScoreList(printer, table);

    // Four empty lines in the page's own font come first.
    EXPECT_DOUBLE_EQ(sink.printed.front().top, 4 * QFontMetricsF(QGuiApplication::font()).lineSpacing());
    expectPrinted(sink, {
        {1, 10, "Name", true},     {1, 32, "Score", true},
        {2, 10, ranked("1.) ", "Abe"), false}, {2, 35, " 1234", false},
        {3, 10, ranked("2.) ", "Bob"), false}, {3, 35, " 70", false},
        {4, 10, ranked("3.) ", "Cara"), false}, {4, 35, " 60", false},
        {5, 10, ranked("4.) ", "Dan"), false}, {5, 35, " 50", false},
        {6, 10, ranked("5.) ", "Eve"), false}, {6, 35, " 40", false},
        {7, 10, ranked("6.) ", "Fay"), false}, {7, 35, " 30", false},
        {8, 10, ranked("7.) ", "Gus"), false}, {8, 35, " 20", false},
        {9, 10, ranked("8.) ", "Hal"), false}, {9, 35, " 10", false},
        {10, 10, ranked("9.) ", "Ivy"), false}, {10, 35, " 0", false},
        {11, 9, ranked("10.) ", "Jo"), false},  {11, 35, "-5", false},
    });
    EXPECT_TRUE(sink.finished);
}

TEST(ScorePrintout, EmptyNameLeavesTheRankAloneAndALongNamePushesItsScoreDown)
{
    const std::string longName(60, 'W');
    const ScoreTable table = sortedTable({{"", 0}, {"Computer", 0}, {"Computer", 0},
                                          {"Computer", 0}, {"Computer", 0}, {"Computer", 0},
                                          {"Computer", 0}, {longName, 300}, {"", 500},
                                          {"Best", 900}});
    RecordingSink sink;
    ColumnPrinter printer(sink);
    printScoreList(printer, table);

    const QString longRank = ranked("3.) ", QString::fromStdString(longName));
    expectPrinted(sink, {
        {1, 10, "Name", true},          {1, 32, "Score", true},
        {2, 10, ranked("1.) ", "Best"), false},     {2, 35, " 900", false},
        {3, 10, ranked("2.) ", ""), false},         {3, 35, " 500", false},
        {4, 10, longRank, false},       {5, 35, " 300", false},
        {6, 10, ranked("4.) ", "Computer"), false}, {6, 35, " 0", false},
        {7, 10, ranked("5.) ", "Computer"), false}, {7, 35, " 0", false},
        {8, 10, ranked("6.) ", "Computer"), false}, {8, 35, " 0", false},
        {9, 10, ranked("7.) ", "Computer"), false}, {9, 35, " 0", false},
        {10, 10, ranked("8.) ", "Computer"), false}, {10, 35, " 0", false},
        {11, 10, ranked("9.) ", "Computer"), false}, {11, 35, " 0", false},
        {12, 9, ranked("10.) ", ""), false},        {12, 35, " 0", false},
    });
}

TEST(ScorePrintout, ANameLongerThanThePageEndsInAnEllipsisAtItsRightEdge)
{
    const std::string longName(400, 'W');
    const ScoreTable table = sortedTable({{"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0},
                                          {"", 0}, {"", 0}, {"", 0}, {longName, 900}});
    RecordingSink sink;
    setPageColumns(sink, 60);
    ColumnPrinter printer(sink);
    printScoreList(printer, table);

    ASSERT_GE(sink.printed.size(), 4u);
    const PrintedText& best = sink.printed[2];
    EXPECT_TRUE(best.text.startsWith(QStringLiteral("1.) ") + QChar(0x2068) + "WWW")) << best.text.toStdString();
    EXPECT_TRUE(best.text.contains(QChar(0x2026))) << best.text.toStdString();
    EXPECT_LE(sink.textWidth(best.text), sink.width - 9 * sink.columnWidth());
    EXPECT_EQ(sink.printed[3].text, " 900");
    EXPECT_EQ(sink.printed[3].line, best.line + 1);
}

TEST(ScorePrintout, LongAndNegativeScoresAndTheHeadingPrintWholeOnANarrowPage)
{
    const std::vector<std::vector<std::pair<std::string, int>>> tables = {
        {{"Min", INT32_MIN}, {"Neg", -5}, {"One", 7}, {"Two", 42}, {"Three", 810},
         {"Five", 12345}, {"Six", 999999}, {"Eight", 31415926}, {"Nine", 123456789},
         {"Max", INT32_MAX}},
        {{"a", -999999999}, {"b", -12345}, {"c", 1}, {"d", 12}, {"e", 123}, {"f", 1234},
         {"g", 1234567}, {"h", 1000000000}, {"i", 1999999999}, {"j", 2000000000}},
    };
    for (const auto& records : tables) {
        RecordingSink sink;
        // Room for a score of three digits at column 35, not for ten.
        setPageColumns(sink, 38);
        ColumnPrinter printer(sink);
        const ScoreTable table = sortedTable(records);
        printScoreList(printer, table);

        for (const PrintedText& piece : sink.printed) {
            SCOPED_TRACE(piece.text.toStdString());
            EXPECT_FALSE(piece.text.contains(QChar(0x2026)));
            EXPECT_LE(piece.left + sink.widthOf(piece), sink.width + 1e-6);
        }
        // The heading, then each rank with its score on its line.
        ASSERT_EQ(sink.printed.size(), 22u);
        EXPECT_EQ(sink.printed[1].text, "Score");
        for (int rank = 1; rank <= 10; ++rank) {
            const PrintedText& score = sink.printed[2 * rank + 1];
            EXPECT_EQ(score.text, printedScore(table.scores[11 - rank]));
            EXPECT_EQ(score.line, sink.printed[2 * rank].line);
        }
        // The columns keep their order: each score stands right of its rank.
        EXPECT_GT(sink.printed[3].left, sink.printed[2].left);
    }
}

TEST(ScorePrintout, ScoresThatFitKeepTheirColumnsAtTheFontsCharacterWidth)
{
    RecordingSink sink;
    setPageColumns(sink, 60);
    ColumnPrinter printer(sink);
    printScoreList(printer, sortedTable(std::vector<std::pair<std::string, int>>(10, {"Ann", INT32_MIN})));

    ASSERT_EQ(sink.printed.size(), 22u);
    EXPECT_EQ(sink.printed[3].text, "-2147483648");
    EXPECT_NEAR(sink.printed[3].left, 34 * sink.columnWidth(), 1e-6);
    EXPECT_NEAR(sink.printed[2].left, 9 * sink.columnWidth(), 1e-6);
}

TEST(ScorePrintout, ScoresPrintWithABlankOrTheirMinusSign)
{
    EXPECT_EQ(printedScore(0), " 0");
    EXPECT_EQ(printedScore(150), " 150");
    EXPECT_EQ(printedScore(-5), "-5");
    EXPECT_EQ(printedScore(INT32_MIN), "-2147483648");
    EXPECT_EQ(printedScore(INT32_MAX), " 2147483647");
}

TEST(ColumnPrinter, AColumnNotYetReachedStaysOnTheLineAndAPassedOneMovesDown)
{
    RecordingSink sink;
    ColumnPrinter printer(sink);
    const QString text = QStringLiteral("abc");
    // The first column that the text does not reach, in the sink's own font.
    const int free = 2 + static_cast<int>(sink.textWidth(text) / sink.columnWidth());
    printer.printAt(1, text);
    printer.printAt(free, QStringLiteral("x"));
    printer.printAt(free, QStringLiteral("y"));
    printer.endLine();
    printer.printAt(2, QStringLiteral("z"));

    ASSERT_EQ(sink.printed.size(), 4u);
    EXPECT_EQ(sink.printed[1].line, 1);
    EXPECT_EQ(sink.printed[2].line, 2);
    EXPECT_EQ(sink.printed[2].column, free);
    EXPECT_EQ(sink.printed[3].line, 3);
}

// The outline of a character in one face; empty when the face lacks it.
QPainterPath outlineIn(const QFont& font, const QString& face, const QString& character)
{
    QFont one = font;
    one.setFamilies({face});
    const QRawFont raw = QRawFont::fromFont(one);
    if (raw.familyName() != face || !raw.supportsCharacter(character.toUcs4().value(0)))
        return {};
    return raw.pathForGlyph(raw.glyphIndexesForString(character).value(0));
}

// A PDF file carries a face's outlines: a character drawn from no face, or
// from the pictures of a colour emoji face, prints as a blank. The printed
// list's own faces hold every character a name may have as an outline,
// whichever face the system would pick for it.
TEST(PainterSink, EveryCharacterOfANamePrintsFromAFaceWithItsOutline)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    QPainter painter(&writer);
    const QFont font = PainterSink(painter, writer).font();
    const QStringList faces = font.families();
    const QString names = QString::fromUtf8(
        "Pat Lee J\u00fcrgen\u00c5s\u00e9 \u0391\u03bd\u03bd\u03b1\u0418\u0432\u0430\u043d "
        "\u05d3\u05e0\u05d4\u0633\u0627\u0631\u0629 \u2605\u2665\u263a\u2603 "
        "\U0001F600\U0001F40D\U0001F353 Ann\U0001F3C6\u2728");
    for (const uint code : names.toUcs4()) {
        const QString character = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        if (character == QStringLiteral(" "))
            continue;
        EXPECT_TRUE(std::any_of(faces.begin(), faces.end(), [&](const QString& face) {
            return !outlineIn(font, face, character).isEmpty();
        })) << "U+" << std::hex << code << " in none of " << faces.join(", ").toStdString();
    }
}

}  // namespace
}  // namespace vermo
