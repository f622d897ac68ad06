// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt services on their own: timers, boxes, the window frame.
#include <QEventLoop>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "game/board.h"
#include "modal_answers.h"
#include "platform/qt/picture_files.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_timer.h"
#include "platform/qt/qt_window_frame.h"
#include "platform/qt/units.h"
#include "support/temp_folder.h"

namespace vermo {
namespace {

using testing::ModalAnswers;

// Runs the event loop for a while, as a box left open would.
void spinFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A timer as a window keeps one: the QTimer counting is the window's child.
struct QtTimerTest : ::testing::Test {
    QObject window;
    QtTimer timer{&window, "tmtest"};
    const QTimer& counting = *window.findChild<QTimer*>("tmtest");
};

TEST_F(QtTimerTest, TicksRepeatWhileEnabledAndStopWhenDisabled)
{
    int ticks = 0, repaints = 0;
    timer.onTick([&] { ++ticks; });
    timer.setAfterTick([&] { ++repaints; });
    timer.setInterval(10);
    timer.setEnabled(true);
    EXPECT_FALSE(counting.isSingleShot());
    EXPECT_EQ(counting.timerType(), Qt::PreciseTimer);

    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 5; }, 2000));
    EXPECT_EQ(repaints, ticks);

    timer.setEnabled(false);
    const int stoppedAt = ticks;
    spinFor(60);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(QtTimerTest, EnablingARunningTimerKeepsItsCountButANewIntervalRestartsIt)
{
    timer.onTick([] {});
    timer.setInterval(1000);
    timer.setEnabled(true);
    spinFor(300);

    timer.setEnabled(true);
    EXPECT_LE(counting.remainingTime(), 800);

    timer.setInterval(1000);
    EXPECT_GT(counting.remainingTime(), 900);
    EXPECT_TRUE(timer.enabled());
}

TEST_F(QtTimerTest, ZeroIntervalKeepsAnEnabledTimerSilent)
{
    int ticks = 0;
    timer.onTick([&] { ++ticks; });
    timer.setEnabled(true);
    timer.setInterval(0);
    spinFor(50);
    EXPECT_TRUE(timer.enabled());
    EXPECT_FALSE(counting.isActive());
    EXPECT_EQ(ticks, 0);

    timer.setInterval(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 2000));
}

// A handler that waits in a nested event loop, as one with an open box
// does, and even restarts its own timer meanwhile: its own ticks are
// dropped, another timer keeps ticking.
TEST_F(QtTimerTest, TickArrivingWhileTheHandlerRunsIsDropped)
{
    QtTimer& busy = timer;
    QtTimer other(&window, "tmother");
    int entered = 0, depth = 0, deepest = 0, otherTicks = 0, busyRepaints = 0;
    busy.onTick([&] {
        ++entered;
        deepest = std::max(deepest, ++depth);
        if (entered == 1) {
            busy.setInterval(5);
            spinFor(150);
        }
        --depth;
    });
    busy.setAfterTick([&] { ++busyRepaints; });
    other.onTick([&] { ++otherTicks; });
    busy.setInterval(10);
    other.setInterval(10);
    busy.setEnabled(true);
    other.setEnabled(true);

    EXPECT_TRUE(QTest::qWaitFor([&] { return entered >= 2; }, 3000));
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(otherTicks, 5);
    EXPECT_EQ(busyRepaints, entered);
}

struct DialogsTest : ::testing::Test {
    QMainWindow parent;
    QtDialogs dialogs{&parent};
};

TEST_F(DialogsTest, NewGameQuestionCanOnlyBeAnsweredYesOrNo)
{
    bool stillOpenAfterEsc = false, stillOpenAfterClose = false;
    QString title, text;
    QStringList buttons;
    int updatesBeforeOpen = 0;
    bool boxWasOpenAtUpdate = false;
    dialogs.setBeforeOpen([&] {
        ++updatesBeforeOpen;
        boxWasOpenAtUpdate = QApplication::activeModalWidget() != nullptr;
    });

    ModalAnswers answers({[&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        for (QAbstractButton* button : box->buttons())
            buttons << button->text().remove(QLatin1Char('&'));
        QTest::keyClick(box, Qt::Key_Escape);
        stillOpenAfterEsc = box->isVisible();
        box->close();
        stillOpenAfterClose = box->isVisible();
        box->button(QMessageBox::Yes)->click();
    }});

    EXPECT_EQ(dialogs.askYesNo("New Game?"), Answer::Yes);
    EXPECT_TRUE(stillOpenAfterEsc);
    EXPECT_TRUE(stillOpenAfterClose);
    EXPECT_EQ(title, "vermo");
    EXPECT_EQ(text, "New Game?");
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"No", "Yes"}));
    EXPECT_EQ(updatesBeforeOpen, 1);
    EXPECT_FALSE(boxWasOpenAtUpdate);
}

TEST_F(DialogsTest, NoIsAnAnswerToo)
{
    ModalAnswers answers({[](QWidget* widget) {
        qobject_cast<QMessageBox*>(widget)->button(QMessageBox::No)->click();
    }});
    EXPECT_EQ(dialogs.askYesNo("New Game?"), Answer::No);
}

// Return presses Yes until the player moves the focus with Tab; from then
// on it presses the focused button, the only one drawn as the default.
// The arrows never move the focus.
TEST_F(DialogsTest, AfterTabReturnPressesTheFocusedButtonTheOnlyOneMarkedAsDefault)
{
    QStringList faults;
    ModalAnswers answers({[&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        auto* yes = qobject_cast<QPushButton*>(box->button(QMessageBox::Yes));
        auto* no = qobject_cast<QPushButton*>(box->button(QMessageBox::No));
        auto marked = [&](QPushButton* button, const char* when) {
            QPushButton* other = button == yes ? no : yes;
            if (box->focusWidget() != button || !button->isDefault() || other->isDefault())
                faults << QStringLiteral("%1: not %2 alone marked").arg(when, button->text());
        };
        marked(yes, "at first");
        QTest::keyClick(box->focusWidget(), Qt::Key_Right);
        marked(yes, "after Right");
        QTest::keyClick(box->focusWidget(), Qt::Key_Tab);
        marked(no, "after Tab");
        QTest::keyClick(box->focusWidget(), Qt::Key_Tab);
        marked(yes, "after a second Tab");
        QTest::keyClick(box->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        marked(no, "after Shift+Tab");
        QTest::keyClick(box->focusWidget(), Qt::Key_Return);
        if (box->isVisible())
            box->button(QMessageBox::Yes)->click();
    }});
    EXPECT_EQ(dialogs.askYesNo("New Game?"), Answer::No);
    EXPECT_EQ(faults.join("; ").toStdString(), "");
}

// A compositor that places dialogs over their window (Wayland) knows that
// window by the box's transient parent.
TEST_F(DialogsTest, EveryBoxIsAttachedToTheGamesWindow)
{
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QStringList loose;
    const auto attachedThenClosed = [&](QWidget* box) {
        if (box->windowHandle() == nullptr || box->windowHandle()->transientParent() != parent.windowHandle())
            loose << box->metaObject()->className();
        static_cast<QDialog*>(box)->reject();
    };
    ModalAnswers answers({attachedThenClosed, attachedThenClosed, attachedThenClosed});
    dialogs.message("About");
    dialogs.askYesNo("New Game?");
    dialogs.input("Enter a Speed from 1 to 20", "Select A Speed", "10");
    EXPECT_EQ(answers.answered(), 3);
    EXPECT_EQ(loose.join(", ").toStdString(), "");
}

TEST_F(DialogsTest, MessageCarriesItsTitleOrTheApplicationsAndShowsLineBreaks)
{
    QStringList titles, texts;
    auto readAndClose = [&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        titles << box->windowTitle();
        texts << box->text();
        box->button(QMessageBox::Ok)->click();
    };
    ModalAnswers answers({readAndClose, readAndClose});

    dialogs.message("High lng_score File Not Found, High lng_score Being Set to 0");
    dialogs.message("Line one\r\nLine two", "About");

    EXPECT_EQ(titles, (QStringList{"vermo", "About"}));
    EXPECT_EQ(texts, (QStringList{"High lng_score File Not Found, High lng_score Being Set to 0",
                                  "Line one\nLine two"}));
}

TEST_F(DialogsTest, InputBoxGivesTheTypedTextOrNothingWhenCancelled)
{
    QString shownDefault, shownTitle, shownPrompt;
    ModalAnswers answers({
        [&](QWidget* widget) {
            auto* box = qobject_cast<QInputDialog*>(widget);
            ASSERT_NE(box, nullptr);
            shownDefault = box->textValue();
            shownTitle = box->windowTitle();
            shownPrompt = box->labelText();
            box->setTextValue(QString::fromUtf8("Jörg"));
            box->accept();
        },
        [](QWidget* widget) {
            auto* box = qobject_cast<QInputDialog*>(widget);
            ASSERT_NE(box, nullptr);
            box->setTextValue("typed, then cancelled");
            box->reject();
        },
    });

    EXPECT_EQ(dialogs.input("Speed?", "", "10"), "J\xc3\xb6rg");
    EXPECT_EQ(dialogs.input("You Got A High Score!\r\nPlease Enter Your Name!", "", ""), "");
    EXPECT_EQ(shownDefault, "10");
    EXPECT_EQ(shownTitle, "vermo");
    EXPECT_EQ(shownPrompt, "Speed?");
}

// The frame stands where the game's twips say, one edge moved at a time.
// A desktop that puts the window a pixel off where it was asked (a window
// manager's frame at a fractional scale) makes no shake creep: each step
// is the game's own twips rounded once, and a cycle ends where it began.
TEST(QtWindowFrameTest, PlacesTheOuterFrameInTwipsAndAShakeCycleEndsWhereItBegan)
{
    QMainWindow window;
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    IconFiles icons{Folder()};
    QtWindowFrame frame(&window, icons);

    const double dpi = units::logicalDpi(&window);
    frame.setLeft(1080);
    frame.setTop(675);
    const QPoint placed(units::pixelsFromTwips(1080, dpi), units::pixelsFromTwips(675, dpi));
    (void)QTest::qWaitFor([&] { return window.frameGeometry().topLeft() == placed; });
    EXPECT_EQ(window.frameGeometry().topLeft(), placed);
    EXPECT_EQ(frame.left(), 1080);
    EXPECT_EQ(frame.top(), 675);

    // A shake moves one edge at a time; the other stays put.
    frame.setLeft(frame.left() + 120);
    (void)QTest::qWaitFor([&] { return frame.left() == 1200; });
    EXPECT_EQ(frame.left(), 1200);
    EXPECT_EQ(frame.top(), 675);

    frame.comeToRest(1500, 1200);
    const QPoint start = window.frameGeometry().topLeft();
    for (int cycle = 0; cycle < 5; ++cycle) {
        for (const QPoint step : {QPoint(-300, 0), QPoint(0, -300), QPoint(600, 0), QPoint(0, 600),
                                  QPoint(-300, 0), QPoint(0, -300)}) {
            if (step.x() != 0)
                frame.setLeft(frame.left() + step.x());
            else
                frame.setTop(frame.top() + step.y());
            window.move(window.pos() + QPoint(1, 1));  // the desktop's rounding
        }
        EXPECT_EQ(frame.left(), 1500) << "after cycle " << cycle + 1;
        EXPECT_EQ(frame.top(), 1200) << "after cycle " << cycle + 1;
    }
    frame.comeToRest(1500, 1200);
    EXPECT_EQ(window.frameGeometry().topLeft(), start);
}

TEST(QtWindowFrameTest, IconComesFromTheFileOrAPlainStandIn)
{
    testing::TempFolder folder;
    folder.write("broken.ico", "not an icon at all");
    QMainWindow window;
    IconFiles icons{Folder::open(folder.path())};
    QtWindowFrame frame(&window, icons);

    frame.setIcon("missing.ico");
    EXPECT_FALSE(window.windowIcon().isNull());
    frame.setIcon("broken.ico");
    EXPECT_FALSE(window.windowIcon().isNull());

#ifdef VERMO_ASSETS
    const std::filesystem::path assets = VERMO_ASSETS;
    if (std::filesystem::exists(assets / "vermoicp.ico")) {
        IconFiles assetIcons{Folder::open(assets)};
        QtWindowFrame fromAssets(&window, assetIcons);
        fromAssets.setIcon("vermoicp.ico");
        const QList<QSize> sizes = window.windowIcon().availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(32, 32)));
        EXPECT_TRUE(sizes.contains(QSize(48, 48)));
        const QImage standIn = QtWindowFrame::standInIcon().pixmap(32).toImage();
        EXPECT_NE(window.windowIcon().pixmap(32).toImage(), standIn);
    }
#endif
}

TEST(UnitsTest, TwipsCentimetresAndColours)
{
    EXPECT_EQ(units::pixelsFromTwips(9750, 96), 650);
    EXPECT_EQ(units::pixelsFromTwips(6990, 96), 466);
    EXPECT_EQ(units::twipsFromPixels(72, 96), 1080);
    EXPECT_EQ(units::pixelsFromTwips(1440, 120), 120);
    // The sprite: 285 twips are 19 pixels at 96 dpi.
    EXPECT_NEAR(spriteSize * units::pixelsPerCm(96), 19.0, 1e-4);
    EXPECT_EQ(units::colorFromBgr(colors::wallBlue), QColor(0, 0, 0xC0));
    EXPECT_EQ(units::colorFromBgr(colors::orange), QColor(0xFF, 0x80, 0));
}

// The main window at twice the scale on a 1280 x 1024 screen: 640 x 512
// logical pixels, smaller than the window at 96 dpi.
TEST(UnitsTest, AWindowTooLargeForItsScreenIsMeasuredSmallerUntilItFits)
{
    const QSize design(9750, 6990);
    const QSize around(16, 70);
    EXPECT_EQ(units::dpiToFit(96, design, around, QSize(1280, 1024)), 96.0);
    const double fitted = units::dpiToFit(96, design, around, QSize(640, 512));
    EXPECT_LT(fitted, 96.0);
    EXPECT_LE(units::pixelsFromTwips(9750, fitted) + 16, 640);
    EXPECT_LE(units::pixelsFromTwips(6990, fitted) + 70, 512);
    EXPECT_GE(units::pixelsFromTwips(9750, fitted) + 16, 630);  // no smaller than it needs
}

}  // namespace
}  // namespace vermo
