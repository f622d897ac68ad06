// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

#include "scores/qt/high_score_window.h"
#include "shell/modal_answers.h"
#include "ui/qt/help_window.h"
#include "support/temp_folder.h"
#include "windows/window_test_support.h"

namespace vermo {
namespace {

using testing::labelText;
using testing::recordsOf;
using testing::TempFolder;

struct Row {
    QString name;
    QString score;
};

std::vector<Row> shownRows(const QWidget& window)
{
    std::vector<Row> rows;
    for (int n = 1; n <= 10; ++n)
        rows.push_back({labelText(&window, QStringLiteral("lblname%1").arg(n)),
                        labelText(&window, QStringLiteral("lblscore%1").arg(n))});
    return rows;
}

void expectRows(const QWidget& window, const std::vector<Row>& expected)
{
    const std::vector<Row> rows = shownRows(window);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(rows[i].name, expected[i].name);
        EXPECT_EQ(rows[i].score, expected[i].score);
    }
}

const std::vector<testing::Entry> shuffledRecords = {
    {"Cara", 300}, {"Abe", 100}, {"Dan", 50},  {"Eve", 700}, {"Bob", 100},
    {"Fay", 0},    {"Gus", -5},  {"Hal", 900}, {"Ivy", 20},  {"Jo", 300}};

// The same ten results, best first; of two equal scores the one that
// stood later in the file ranks higher.
const std::vector<Row> shuffledBestFirst = {
    {"Hal", "900"}, {"Eve", "700"}, {"Jo", "300"}, {"Cara", "300"}, {"Bob", "100"},
    {"Abe", "100"}, {"Dan", "50"},  {"Ivy", "20"}, {"Fay", "0"},    {"Gus", "-5"}};

TEST(HighScoreWindow, ListsTheFileBestFirstWithLaterEqualScoresHigher)
{
    TempFolder folder;
    folder.write("topten.dll", recordsOf(shuffledRecords));
    HighScoreWindow window;
    window.load(Folder::open(folder.path()), {});

    expectRows(window, shuffledBestFirst);
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(labelText(&window, QStringLiteral("lblnum%1").arg(n)), QStringLiteral("%1.)").arg(n));
}

TEST(HighScoreWindow, DefaultTableShowsComputerWithNothingInEveryRow)
{
    TempFolder folder;
    folder.write("topten.dll", testing::tenRecordsOf());
    HighScoreWindow fromFile;
    fromFile.load(Folder::open(folder.path()), {});
    expectRows(fromFile, std::vector<Row>(10, {"Computer", "0"}));

    // A file gone since start-up, with no table to fall back on.
    HighScoreWindow withoutFile;
    withoutFile.load(Folder::open(folder / "missing"), {});
    expectRows(withoutFile, std::vector<Row>(10, {"Computer", "0"}));
}

TEST(HighScoreWindow, UnreadableFileShowsTheLastGoodTableSorted)
{
    TempFolder folder;
    // Only three records: damaged.
    folder.write("topten.dll", recordsOf({{"Cut", 5}, {"Off", 6}, {"Here", 7}}));
    ScoreTable lastGood;
    for (int entry = 1; entry <= 10; ++entry) {
        lastGood.names[entry] = shuffledRecords[entry - 1].first;
        lastGood.scores[entry] = shuffledRecords[entry - 1].second;
    }
    int asked = 0;
    HighScoreWindow window;
    window.load(Folder::open(folder.path()), [&] { ++asked; return lastGood; });
    EXPECT_EQ(asked, 1);
    expectRows(window, shuffledBestFirst);

    HighScoreWindow missing;
    missing.load(Folder::open(folder / "gone"), [&] { return lastGood; });
    expectRows(missing, shuffledBestFirst);
}

TEST(HighScoreWindow, NamesInEitherEncodingAndLongNamesKeepTheWindowSize)
{
    TempFolder folder;
    const std::string longName(200, 'M');
    folder.write("topten.dll", recordsOf({{"J\xC3\xBCrgen", 40}, {"Ren\xE9", 30}, {longName, 50},
                                             {"", 20}, {"a", 1}, {"b", 1}, {"c", 1}, {"d", 1},
                                             {"e", 1}, {"f", 1}}));
    HighScoreWindow window;
    window.show();
    const QSize before = window.size();
    window.load(Folder::open(folder.path()), {});
    window.adjustSize();

    EXPECT_EQ(labelText(&window, "lblname1"), QString::fromStdString(longName));
    EXPECT_EQ(labelText(&window, "lblname2"), QString::fromUtf8("J\xC3\xBCrgen"));
    EXPECT_EQ(labelText(&window, "lblname3"), QString::fromUtf8("Ren\xC3\xA9"));
    EXPECT_EQ(labelText(&window, "lblname4"), QString());
    EXPECT_EQ(window.size(), before);
}

// Every rank, name and score of the shown window stands whole inside its
// client area, in that order across, no rank against the window's edge.
void expectRowsWholeInside(const QWidget& window)
{
    const QWidget* client = window.findChild<QWidget*>("client");
    const auto label = [&](const char* name, int row) {
        return window.findChild<QLabel*>(QStringLiteral("%1%2").arg(name).arg(row));
    };
    // Shown as the label paints it, cut with "…" to its width.
    const auto shown = [](const QLabel* label) {
        return label->fontMetrics().elidedText(label->text(), Qt::ElideRight, label->contentsRect().width());
    };
    for (int row = 1; row <= 10; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        const QLabel* rank = label("lblnum", row);
        const QLabel* name = label("lblname", row);
        const QLabel* score = label("lblscore", row);
        EXPECT_GT(rank->x(), 0);
        EXPECT_EQ(rank->x(), label("lblnum", 1)->x());
        EXPECT_EQ(shown(rank), rank->text());
        EXPECT_LE(rank->geometry().right(), name->x());
        EXPECT_LT(name->geometry().right(), score->x());
        EXPECT_EQ(shown(score), score->text());
        EXPECT_LE(score->geometry().right(), client->width());
    }
}

TEST(HighScoreWindow, EveryScoreShowsWholeAndEveryRankClearOfTheEdge)
{
    TempFolder folder;
    folder.write("topten.dll", recordsOf({{"Max", INT32_MAX}, {"Min", INT32_MIN}, {"Low", -2147483647},
                                          {"Milliard", 1000000000}, {"a", 1}, {"b", 1}, {"c", 1},
                                          {"d", 1}, {"e", 1}, {"f", 1}}));
    HighScoreWindow window;
    window.load(Folder::open(folder.path()), {});
    window.show();
    EXPECT_EQ(labelText(&window, "lblscore1"), "2147483647");
    EXPECT_EQ(labelText(&window, "lblscore10"), "-2147483648");
    expectRowsWholeInside(window);
    // The heading stays over the scores.
    EXPECT_EQ(window.findChild<QLabel*>("lblsubscore")->x(), window.findChild<QLabel*>("lblscore1")->x());
}

TEST(HighScoreWindow, CaptionMenuLayoutAndColour)
{
    HighScoreWindow window;
    window.show();
    EXPECT_EQ(window.windowTitle(), "High Scores");
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "&File");
    ASSERT_EQ(menus[0]->menu()->actions().size(), 1);
    EXPECT_EQ(menus[0]->menu()->actions()[0]->text(), "E&xit");
    EXPECT_EQ(labelText(&window, "lblmaintitle"), "High Score List");
    EXPECT_EQ(labelText(&window, "lblsubname"), "Name");
    EXPECT_EQ(labelText(&window, "lblsubscore"), "Score");
    auto* print = window.findChild<QPushButton*>("cmdprint");
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->text(), "Print High Score List");

    if (!testing::screenIs96Dpi(&window))
        GTEST_SKIP() << "pixel sizes below are for 96 dpi";
    EXPECT_EQ(window.centralWidget()->size(), QSize(317, 457));
    EXPECT_EQ(window.findChild<QLabel*>("lblmaintitle")->geometry(), QRect(40, 8, 241, 41));
    EXPECT_EQ(window.findChild<QLabel*>("lblname1")->geometry(), QRect(45, 96, 164, 33));
    EXPECT_EQ(window.findChild<QLabel*>("lblname2")->geometry(), QRect(45, 128, 172, 33));
    EXPECT_EQ(window.findChild<QLabel*>("lblnum1")->geometry(), QRect(8, 96, 37, 33));
    EXPECT_EQ(window.findChild<QLabel*>("lblnum10")->geometry(), QRect(8, 384, 37, 33));
    EXPECT_EQ(window.findChild<QLabel*>("lblscore10")->geometry(), QRect(224, 384, 81, 33));
    EXPECT_EQ(print->geometry(), QRect(56, 416, 209, 33));
    EXPECT_EQ(window.findChild<QLabel*>("lblmaintitle")->font().pointSizeF(), 24.0);
    EXPECT_TRUE(window.findChild<QLabel*>("lblsubscore")->font().bold());
    EXPECT_EQ(window.findChild<QLabel*>("lblname5")->font().pointSizeF(), 13.5);

    // Orange, seen where no control covers the client area, and behind a row.
    const QImage picture = window.centralWidget()->grab().toImage();
    EXPECT_EQ(picture.pixelColor(310, 450), QColor(255, 128, 0));
    EXPECT_EQ(picture.pixelColor(300, 100), QColor(255, 128, 0));
}

// pdftotext's reading of a PDF, one text line per entry; empty without the tool.
QStringList pdfLines(const QString& pdf)
{
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {"-layout", pdf, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Answers the print boxes as a player would, the question with Yes or No,
// the file dialog with fileName (Cancel when empty), and notes what they said.
struct PrintBoxes {
    std::vector<QString> questions, suggestions, told;
    bool answerYes = true;
    QString fileName;

    void answer(QWidget* box)
    {
        if (auto* dialog = qobject_cast<QFileDialog*>(box)) {
            suggestions.push_back(dialog->selectedFiles().value(0));
            if (fileName.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(fileName);
            QMetaObject::invokeMethod(dialog, "accept");
        } else if (auto* message = qobject_cast<QMessageBox*>(box)) {
            if (message->button(QMessageBox::Yes) == nullptr) {
                told.push_back(message->text());
                message->button(QMessageBox::Ok)->click();
                return;
            }
            questions.push_back(message->text());
            message->button(answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
        }
    }

    // Prints the window's list through whatever boxes come.
    void print(HighScoreWindow& window)
    {
        testing::ModalAnswers answers(std::vector<testing::ModalAnswers::Step>(
            3, [this](QWidget* box) { answer(box); }));
        window.findChild<QPushButton*>("cmdprint")->click();
    }
};

// The page saved is the page printed: the heading, then every rank with
// its name and its whole score, long and negative ones too, the later of
// two equal scores higher.
TEST(HighScorePrinting, WithoutAPrinterYesSavesTheListAsAPdfWithEveryScoreWhole)
{
    TempFolder folder;
    folder.write("topten.dll", recordsOf({{"Min", INT32_MIN}, {"Neg", -7}, {"One", 1}, {"Ann", 810},
                                          {"Bob", 810}, {"Five", 12345}, {"Seven", 1234567},
                                          {"Nine", 123456789}, {"Ten", 1000000000}, {"Max", INT32_MAX}}));
    HighScoreWindow window;
    window.setSaveFolder(folder.path());
    window.load(Folder::open(folder.path()), {});
    PrintBoxes script;
    script.fileName = QString::fromStdString((folder / "list.pdf").string());
    script.print(window);

    ASSERT_EQ(script.questions.size(), 1u);
    EXPECT_EQ(script.questions[0],
              "No Printer Is Available. Save The High Score List As A PDF File Instead?");
    ASSERT_EQ(script.suggestions.size(), 1u);
    EXPECT_EQ(script.suggestions[0], QString::fromStdString((folder / "highscores.pdf").string()));
    ASSERT_EQ(script.told.size(), 1u);
    EXPECT_EQ(script.told[0], QStringLiteral("The High Score List Was Saved As %1.").arg(script.fileName));
    ASSERT_GT(QFileInfo(script.fileName).size(), 0);

    const QStringList lines = pdfLines(script.fileName);
    if (lines.isEmpty())
        GTEST_SKIP() << "pdftotext is not available";
    const QString text = lines.join('\n');
    EXPECT_FALSE(text.contains(QChar(0x2026))) << text.toStdString();
    QStringList ranked;
    int headingAt = -1;
    for (const QString& line : lines) {
        if (headingAt < 0 && line.contains(QRegularExpression("Name\\s+Score$")))
            headingAt = static_cast<int>(ranked.size());
        if (line.contains(QRegularExpression("^\\s*\\d+\\.\\)")))
            ranked.push_back(line.simplified());
    }
    EXPECT_EQ(headingAt, 0) << text.toStdString();
    const QStringList bestFirst = {"Max 2147483647", "Ten 1000000000", "Nine 123456789", "Seven 1234567",
                                   "Five 12345",     "Bob 810",        "Ann 810",        "One 1",
                                   "Neg -7",         "Min -2147483648"};
    ASSERT_EQ(ranked.size(), 10) << text.toStdString();
    for (int rank = 1; rank <= 10; ++rank)
        EXPECT_EQ(ranked[rank - 1], QStringLiteral("%1.) %2").arg(rank).arg(bestFirst[rank - 1]));
}

TEST(HighScorePrinting, NoSavesNothingAndAPdfThatCannotBeWrittenSaysSo)
{
    TempFolder folder;
    HighScoreWindow window;
    PrintBoxes script;
    script.answerYes = false;
    script.fileName = QString::fromStdString((folder / "never.pdf").string());
    script.print(window);
    EXPECT_EQ(script.questions.size(), 1u);
    EXPECT_TRUE(script.suggestions.empty());
    EXPECT_FALSE(QFileInfo::exists(script.fileName));

    script.answerYes = true;
    script.fileName = QString::fromStdString((folder / "no such folder" / "list.pdf").string());
    script.print(window);
    ASSERT_EQ(script.told.size(), 1u);
    EXPECT_TRUE(script.told[0].contains("Could Not Be Saved")) << script.told[0].toStdString();
    EXPECT_TRUE(script.told[0].contains(script.fileName));

    // A cancelled file dialog is no failure.
    script.fileName.clear();
    script.print(window);
    EXPECT_EQ(script.told.size(), 1u);
}

// Run at three times the scale, where a screen of 800 x 600 leaves too
// little room for both windows at their design size.
TEST(SmallScreen, HighScoresAndHelpAreDrawnSmallerUntilTheyFit)
{
    TempFolder folder;
    folder.write("topten.dll", recordsOf({{"Max", INT32_MAX}, {"Min", INT32_MIN}}));
    testing::ExitingProgramEnd programEnd;
    HighScoreWindow scores;
    scores.load(Folder::open(folder.path()), {});
    HelpWindow help(programEnd);
    const QRect free = scores.screen()->availableGeometry();
    if (free.height() >= 600)
        GTEST_SKIP() << "the screen has room for the design size";
    for (QMainWindow* window : {static_cast<QMainWindow*>(&scores), static_cast<QMainWindow*>(&help)}) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        window->show();
        const QSize client = window->findChild<QWidget*>("client")->size();
        EXPECT_LE(client.width() + 16, free.width());
        EXPECT_LE(client.height() + window->menuBar()->height() + 48, free.height());
        EXPECT_TRUE(free.contains(window->frameGeometry()));
    }
    expectRowsWholeInside(scores);
}

}  // namespace
}  // namespace vermo
