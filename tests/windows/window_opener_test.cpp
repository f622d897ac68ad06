// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>

#include <filesystem>

#include "scores/qt/high_score_window.h"
#include "support/temp_folder.h"
#include "ui/qt/help_window.h"
#include "ui/qt/secondary_windows.h"
#include "windows/window_test_support.h"

namespace vermo {
namespace {

using testing::labelText;
using testing::runDeferredDeletes;
using testing::recordsOf;
using testing::TempFolder;
using testing::ExitingProgramEnd;

QAction* exitItem(QMainWindow* window)
{
    return window->menuBar()->actions().at(0)->menu()->actions().at(0);
}

struct Opener {
    TempFolder folder;
    QWidget mainWindow;
    ExitingProgramEnd programEnd;
    ScoreTable lastGood = ScoreTable::defaults();
    IconFiles icons{Folder::open(folder.path())};
    QtSecondaryWindows windows{Folder::open(folder.path()), Folder::open(folder.path()), icons,
                               &mainWindow, programEnd, [this] { return lastGood; }};

    Opener() { mainWindow.show(); }
};

TEST(WindowOpener, SecondShowOfTheHighScoresOnlyBringsThemForward)
{
    Opener opener;
    opener.folder.write("topten.dll", testing::recordsWithBest("First", 100));
    EXPECT_EQ(opener.windows.highScoreWindow(), nullptr);

    opener.windows.showHighScores();
    HighScoreWindow* window = opener.windows.highScoreWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(labelText(window, "lblname1"), "First");

    // A game ends meanwhile and enters a new best result.
    opener.folder.write("topten.dll", testing::recordsWithBest("Second", 200));
    opener.windows.showHighScores();
    EXPECT_EQ(opener.windows.highScoreWindow(), window);
    EXPECT_EQ(labelText(window, "lblname1"), "First");
    EXPECT_EQ(labelText(window, "lblscore1"), "100");
}

TEST(WindowOpener, ClosedHighScoresReadTheFileAgainWhenReopened)
{
    Opener opener;
    opener.folder.write("topten.dll", testing::recordsWithBest("First", 100));
    opener.windows.showHighScores();
    opener.folder.write("topten.dll", testing::recordsWithBest("Second", 200));

    // File > Exit closes only this window.
    exitItem(opener.windows.highScoreWindow())->trigger();
    runDeferredDeletes();
    EXPECT_EQ(opener.windows.highScoreWindow(), nullptr);
    EXPECT_TRUE(opener.mainWindow.isVisible());

    opener.windows.showHighScores();
    ASSERT_NE(opener.windows.highScoreWindow(), nullptr);
    EXPECT_EQ(labelText(opener.windows.highScoreWindow(), "lblname1"), "Second");

    // The close box does the same.
    opener.folder.write("topten.dll", testing::recordsWithBest("Third", 300));
    opener.windows.highScoreWindow()->close();
    runDeferredDeletes();
    EXPECT_EQ(opener.windows.highScoreWindow(), nullptr);
    opener.windows.showHighScores();
    ASSERT_NE(opener.windows.highScoreWindow(), nullptr);
    EXPECT_EQ(labelText(opener.windows.highScoreWindow(), "lblname1"), "Third");
}

TEST(WindowOpener, HighScoreFileGoneAfterStartUpShowsTheMainWindowsTable)
{
    Opener opener;
    opener.lastGood.names[10] = "Kept";
    opener.lastGood.scores[10] = 4321;
    opener.windows.showHighScores();
    ASSERT_NE(opener.windows.highScoreWindow(), nullptr);
    EXPECT_EQ(labelText(opener.windows.highScoreWindow(), "lblname1"), "Kept");
    EXPECT_EQ(labelText(opener.windows.highScoreWindow(), "lblscore1"), "4321");
    EXPECT_EQ(labelText(opener.windows.highScoreWindow(), "lblname2"), "Computer");
}

TEST(WindowOpener, HelpOpensAloneAndTheHighScoresReadTheTableWhenTheyOpen)
{
    Opener opener;
    opener.folder.write("topten.dll", testing::recordsWithBest("Then", 100));
    opener.folder.write("helpfile.bat", "\"How to play\"");

    opener.windows.showHelp();
    HelpWindow* help = opener.windows.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->findChild<QPlainTextEdit*>("Text1")->toPlainText(), "How to play");
    EXPECT_EQ(opener.windows.highScoreWindow(), nullptr) << "no second window behind the help";

    opener.folder.write("topten.dll", testing::recordsWithBest("Now", 200));
    opener.folder.write("helpfile.bat", "\"Changed\"");
    opener.windows.showHelp();
    EXPECT_EQ(opener.windows.helpWindow(), help);
    EXPECT_EQ(help->findChild<QPlainTextEdit*>("Text1")->toPlainText(), "How to play");

    opener.windows.showHighScores();
    ASSERT_NE(opener.windows.highScoreWindow(), nullptr);
    EXPECT_EQ(labelText(opener.windows.highScoreWindow(), "lblname1"), "Now");
}

TEST(WindowOpener, HelpCloseBoxClosesOnlyHelpAndItsExitEndsTheProgram)
{
    Opener opener;
    opener.folder.write("helpfile.bat", "\"First text\"");
    opener.windows.showHelp();
    opener.windows.helpWindow()->close();
    runDeferredDeletes();
    EXPECT_EQ(opener.windows.helpWindow(), nullptr);
    EXPECT_TRUE(opener.mainWindow.isVisible());

    opener.folder.write("helpfile.bat", "\"Second text\"");
    opener.windows.showHelp();
    ASSERT_NE(opener.windows.helpWindow(), nullptr);
    EXPECT_EQ(opener.windows.helpWindow()->findChild<QPlainTextEdit*>("Text1")->toPlainText(),
              "Second text");

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exitItem(opener.windows.helpWindow())->trigger(),
                ::testing::ExitedWithCode(testing::programEndedCode), "the program ended");
}

TEST(WindowOpener, WindowsOpenInTheMiddleOfTheScreen)
{
    Opener opener;
    opener.windows.showHighScores();
    opener.windows.showHelp();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (QWidget* window : {static_cast<QWidget*>(opener.windows.highScoreWindow()),
                            static_cast<QWidget*>(opener.windows.helpWindow())}) {
        const QPoint offset = window->frameGeometry().center() - area.center();
        EXPECT_LE(offset.manhattanLength(), 2) << window->windowTitle().toStdString();
    }
}

TEST(WindowOpener, IconFileGivesEveryWindowTheIconAndABrokenOneIsHarmless)
{
    const std::filesystem::path icon = std::filesystem::path(VERMO_ASSETS) / "vermoicp.ico";
    if (!std::filesystem::exists(icon))
        GTEST_SKIP() << "no icon in the assets";
    {
        Opener opener;
        std::filesystem::copy_file(icon, opener.folder / "vermoicp.ico");
        opener.windows.showHelp();
        opener.windows.showHighScores();
        EXPECT_TRUE(opener.windows.helpWindow()->testAttribute(Qt::WA_SetWindowIcon));
        EXPECT_TRUE(opener.windows.highScoreWindow()->testAttribute(Qt::WA_SetWindowIcon));
    }
    {
        Opener opener;
        opener.folder.write("vermoicp.ico", "not an icon at all");
        opener.windows.showHelp();
        opener.windows.showHighScores();
        EXPECT_FALSE(opener.windows.helpWindow()->testAttribute(Qt::WA_SetWindowIcon));
        EXPECT_FALSE(opener.windows.highScoreWindow()->testAttribute(Qt::WA_SetWindowIcon));
    }
    EXPECT_TRUE(iconFromFile(Folder::open("no such folder"), "vermoicp.ico").isNull());
}

}  // namespace
}  // namespace vermo
