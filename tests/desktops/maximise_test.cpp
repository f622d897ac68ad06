// SPDX-License-Identifier: GPL-3.0-or-later
// Maximising on a real desktop: run by on_desktop.sh on X11 (Xvfb) and on
// Wayland (weston). On Wayland Qt's own title bar offers maximise on every
// window and box, and the compositor then gives the window the screen's
// size: a window that kept its old size would be disconnected, ending the
// program. There the windows and boxes take the size, their contents
// staying as they were, in the middle. On X11 they keep their size.
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "game/qt/main_window.h"
#include "support/temp_folder.h"
#include "support/score_builders.h"

namespace vermo {
namespace {

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

QPoint placeInWindow(const QWidget* widget) { return widget->mapTo(widget->window(), QPoint()); }

// Maximises the window as its title bar's button does, looks at it, and
// makes it normal again. Where the window grows, what it grows by shows
// the colour `around`, when one is given.
void maximiseAndRestore(QWidget* window, const QWidget* contents, QColor around = {})
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QSize designSize = window->size();
    const QSize contentsSize = contents->size();
    const QPoint contentsPlace = placeInWindow(contents);

    window->windowHandle()->setWindowStates(Qt::WindowMaximized);
    if (!onWayland()) {
        QTest::qWait(300);
        EXPECT_EQ(window->size(), designSize);
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        return;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->width() > designSize.width(); }, 3000))
        << qPrintable(window->windowTitle()) << " did not take the maximised size";
    // Time for the compositor to see the window drawn at its new size.
    QTest::qWait(300);
    const QSize grown = window->size() - designSize;
    EXPECT_EQ(contents->size(), contentsSize);
    EXPECT_NEAR(placeInWindow(contents).x(), contentsPlace.x() + grown.width() / 2, 1);
    EXPECT_NEAR(placeInWindow(contents).y(), contentsPlace.y() + grown.height() / 2, 1);
    if (around.isValid()) {
        auto* main = qobject_cast<QMainWindow*>(window);
        ASSERT_NE(main, nullptr);
        // The whole window as it paints itself, and the area under its menu.
        const QImage shown = window->grab().toImage();
        const QRect below = main->centralWidget()->geometry();
        EXPECT_EQ(shown.pixelColor(below.topLeft() + QPoint(2, 2)), around);
        EXPECT_EQ(shown.pixelColor(below.bottomRight() - QPoint(2, 2)), around);
    }

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

TEST(MaximiseOnThisDesktop, WindowsAndBoxesKeepTheirContentsAtTheirSize)
{
    testing::TempFolder folder;
    folder.write("topten.dll", testing::tenRecordsOf());
    MainWindow window(folder.path());
    window.show();
    maximiseAndRestore(&window, window.findChild<QWidget*>(QStringLiteral("client")), Qt::black);

    int boxesSeen = 0;
    maximiseTheNextBox(&boxesSeen);
    window.dialogs().message("A message that keeps its words where they were.", "About");
    maximiseTheNextBox(&boxesSeen);
    window.dialogs().input("Enter a Speed from 1 to 20", "Select A Speed", "10");
    // A box Qt opens by itself, as the file dialog asks before replacing a file.
    maximiseTheNextBox(&boxesSeen);
    QMessageBox::warning(&window, "Save High Score List", "list.pdf already exists.");
    EXPECT_EQ(boxesSeen, 3);
}

}  // namespace
}  // namespace vermo
