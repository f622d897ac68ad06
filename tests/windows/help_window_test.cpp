// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "support/temp_folder.h"
#include "ui/qt/help_window.h"
#include "windows/window_test_support.h"

namespace vermo {
namespace {

using testing::TempFolder;
using testing::ExitingProgramEnd;

QString shownHelp(const std::string& fileBytes)
{
    TempFolder folder;
    folder.write("helpfile.bat", fileBytes);
    ExitingProgramEnd programEnd;
    HelpWindow window(programEnd);
    window.load(Folder::open(folder.path()));
    return window.findChild<QPlainTextEdit*>("Text1")->toPlainText();
}

TEST(HelpWindow, ShowsTheFirstFieldOfTheHelpFile)
{
    // A quoted text in full, commas and line breaks included; what follows is not shown.
    EXPECT_EQ(shownHelp("\"Arrows steer, P pauses.\r\nEat berries, avoid walls.\r\n\r\nHave fun\",\"more\"\r\n"),
              "Arrows steer, P pauses.\nEat berries, avoid walls.\n\nHave fun");
    // Blanks before the opening quote do not matter.
    EXPECT_EQ(shownHelp("   \"Quoted, after blanks\""), "Quoted, after blanks");
    // Without quotes only up to the first comma, or the end of the first line.
    EXPECT_EQ(shownHelp("Arrows steer, P pauses\r\nsecond line\r\n"), "Arrows steer");
    EXPECT_EQ(shownHelp("Arrows steer the worm\r\nsecond, line\r\n"), "Arrows steer the worm");
    // Text from a single-byte code page.
    EXPECT_EQ(shownHelp("\"Gr\xFC\xDF" "e\""), QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e"));
}

TEST(HelpWindow, MissingOrEmptyHelpFileExplainsTheGameInstead)
{
    // A file that was read but holds no text says so.
    const QString empty = shownHelp("");
    EXPECT_TRUE(empty.contains("helpfile.bat is empty")) << empty.toStdString();
    EXPECT_TRUE(empty.contains("arrow keys"));
    EXPECT_EQ(shownHelp(" \r\n\t\r\n"), empty);
    // A file with text whose first field is empty is not called empty.
    const QString emptyField = shownHelp("\"\"");
    EXPECT_TRUE(emptyField.contains("begins with an empty field")) << emptyField.toStdString();
    EXPECT_TRUE(emptyField.contains("arrow keys"));
    EXPECT_EQ(shownHelp(",Help after a comma\r\n"), emptyField);
    EXPECT_EQ(shownHelp("\r\n\"Help after a blank line\""), emptyField);
    EXPECT_EQ(shownHelp("\" \r\n\",\"Help after blanks in quotes\""), emptyField);
    EXPECT_EQ(shownHelp("\"  \r\n \""), emptyField);

    // A file that is not there says it could not be read.
    TempFolder folder;
    ExitingProgramEnd programEnd;
    HelpWindow window(programEnd);
    window.load(Folder::open(folder.path()));
    const QString missing = window.findChild<QPlainTextEdit*>("Text1")->toPlainText();
    EXPECT_TRUE(missing.contains("helpfile.bat could not be read")) << missing.toStdString();
    EXPECT_TRUE(missing.contains("arrow keys"));
}

TEST(HelpWindow, TextBoxIsReadOnlyAndWrapsLongText)
{
    std::string longText;
    for (int i = 0; i < 200; ++i)
        longText += "Eat the berries and keep away from the walls. ";
    TempFolder folder;
    folder.write("helpfile.bat", "\"" + longText + "\"");
    ExitingProgramEnd programEnd;
    HelpWindow window(programEnd);
    window.load(Folder::open(folder.path()));
    window.show();
    QCoreApplication::processEvents();
    auto* text1 = window.findChild<QPlainTextEdit*>("Text1");
    EXPECT_TRUE(text1->isReadOnly());
    EXPECT_NE(text1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(text1->verticalScrollBar()->isVisible());
    EXPECT_FALSE(text1->horizontalScrollBar()->isVisible());
}

TEST(HelpWindow, FileExitEndsTheWholeProgram)
{
    ExitingProgramEnd programEnd;
    HelpWindow window(programEnd);
    window.show();
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "&File");
    ASSERT_EQ(menus[0]->menu()->actions().size(), 1);
    QAction* exit = menus[0]->menu()->actions()[0];
    EXPECT_EQ(exit->text(), "E&xit");

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exit->trigger(), ::testing::ExitedWithCode(testing::programEndedCode),
                "the program ended");
}

TEST(HelpWindow, CaptionSizeAndColour)
{
    ExitingProgramEnd programEnd;
    HelpWindow window(programEnd);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Help");
    if (!testing::screenIs96Dpi(&window))
        GTEST_SKIP() << "pixel sizes below are for 96 dpi";
    EXPECT_EQ(window.centralWidget()->size(), QSize(376, 225));
    EXPECT_EQ(window.findChild<QPlainTextEdit*>("Text1")->geometry(), QRect(8, 8, 361, 209));
    const QImage picture = window.centralWidget()->grab().toImage();
    EXPECT_EQ(picture.pixelColor(3, 3), QColor(0, 64, 64));
    EXPECT_EQ(picture.pixelColor(372, 221), QColor(0, 64, 64));
}

}  // namespace
}  // namespace vermo
