// SPDX-License-Identifier: GPL-3.0-or-later
// Maximising on a real desktop: run by on_desktop.sh on X11 (openbox) and
// on Wayland (weston). The main window takes any size and shows its board
// scaled whole in the middle. On Wayland Qt's own title bar offers
// maximise on every box too, and the compositor then gives it the screen's
// size: a box that kept its old size would be disconnected, ending the
// program. There the boxes take the size, their contents staying as they
// were, in the middle. On X11 they keep their size.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <algorithm>

#include "game/qt/main_window.h"
#include "game/qt/playfield_widget.h"
#include "support/temp_folder.h"
#include "support/scaled_board.h"
#include "support/score_builders.h"
#include "support/window_parts.h"

namespace vermo {
namespace {

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

QPoint placeInWindow(const QWidget* widget) { return widget->mapTo(widget->window(), QPoint()); }

// Maximises a box as its title bar's button does (on Wayland), looks at
// it, and makes it normal again: its contents keep their size, in the
// middle.
void maximiseAndRestore(QWidget* window, const QWidget* contents)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QSize designSize = window->size();
    const QSize contentsSize = contents->size();
    const QPoint contentsPlace = placeInWindow(contents);

    window->windowHandle()->setWindowStates(Qt::WindowMaximized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->width() > designSize.width(); }, 3000))
        << qPrintable(window->windowTitle()) << " did not take the maximised size";
    // Time for the compositor to see the window drawn at its new size.
    QTest::qWait(300);
    const QSize grown = window->size() - designSize;
    EXPECT_EQ(contents->size(), contentsSize);
    EXPECT_NEAR(placeInWindow(contents).x(), contentsPlace.x() + grown.width() / 2, 1);
    EXPECT_NEAR(placeInWindow(contents).y(), contentsPlace.y() + grown.height() / 2, 1);

    window->windowHandle()->setWindowStates(Qt::WindowNoState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->size() == designSize; }, 3000));
    EXPECT_EQ(placeInWindow(contents), contentsPlace);
}

// Maximises the box that opens next, then presses its OK button.
void maximiseTheNextBox(int* boxesSeen)
{
    QTimer::singleShot(50, [boxesSeen] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr)
            return maximiseTheNextBox(boxesSeen);
        ++*boxesSeen;
        const QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
        if (!buttons.isEmpty())
            maximiseAndRestore(box, buttons.first());
        else
            ADD_FAILURE() << "a box without buttons";
        QTest::qWait(100);
        static_cast<QDialog*>(box)->accept();
    });
}

TEST(MaximiseOnThisDesktop, TheGameScalesItsBoardAndBoxesKeepTheirContentsAtTheirSize)
{
    testing::TempFolder folder;
    folder.write("topten.dll", testing::tenRecordsOf());
    MainWindow window(folder.gameFolders());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* client = window.centralWidget();
    QWidget* board = window.playfield();
    const QSize windowSize = window.size();
    const QSize design = board->size();

    window.windowHandle()->setWindowStates(Qt::WindowMaximized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.width() > windowSize.width(); }, 3000));
    QTest::qWait(300);
    testing::expectBoardScaledInTheMiddle(*client, *board, design);
    const QRect at = board->geometry();
    const QImage shown = client->grab().toImage();
    EXPECT_EQ(shown.pixelColor(at.left() / 2, client->height() / 2), QColor(Qt::black));

    window.windowHandle()->setWindowStates(Qt::WindowNoState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return board->size() == design; }, 3000));
    EXPECT_EQ(board->pos(), QPoint(0, 0));
    if (!onWayland())
        return;  // an X11 window manager sizes boxes itself

    int boxesSeen = 0;
    maximiseTheNextBox(&boxesSeen);
    window.findChild<QAction*>("About")->trigger();
    maximiseTheNextBox(&boxesSeen);
    testing::startButton(window)->click();  // "Enter a Speed from 1 to 20"
    // A box Qt opens by itself, as the file dialog asks before replacing a file.
    maximiseTheNextBox(&boxesSeen);
    QMessageBox::warning(&window, "Save High Score List", "list.pdf already exists.");
    EXPECT_EQ(boxesSeen, 3);
}

}  // namespace
}  // namespace vermo
