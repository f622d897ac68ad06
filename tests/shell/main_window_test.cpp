// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the player meets it: layout, keys, clicks, boxes.
#include <QAction>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "game/board.h"
#include "game/qt/main_window.h"
#include "game/qt/playfield_widget.h"
#include "scores/qt/high_score_window.h"
#include "ui/qt/help_window.h"
#include "modal_answers.h"
#include "platform/qt/fresh_keys.h"
#include "platform/qt/units.h"
#include "support/scaled_board.h"
#include "support/score_builders.h"
#include "support/temp_folder.h"
#include "support/window_parts.h"

namespace vermo {
namespace {

using testing::ModalAnswers;

const char* const pictureFiles[] = {"vermou.gif", "vermod.gif", "vermol.gif",
                                    "vermor.gif", "poison.gif", "vermoicp.ico"};

// Answers the speed prompt with the given text.
ModalAnswers::Step answerSpeed(QString answer, QString* shownDefault = nullptr)
{
    return [answer, shownDefault](QWidget* widget) {
        auto* box = qobject_cast<QInputDialog*>(widget);
        ASSERT_NE(box, nullptr);
        if (shownDefault)
            *shownDefault = box->textValue();
        box->setTextValue(answer);
        box->accept();
    };
}

ModalAnswers::Step clickButton(QMessageBox::StandardButton which, QString* shownText = nullptr)
{
    return [which, shownText](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        if (shownText)
            *shownText = box->text();
        box->button(which)->click();
    };
}

QAction* menuAction(QMainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

// Collects the parts of a widget its paints redraw.
class PaintWatcher : public QObject {
public:
    PaintWatcher(QWidget* widget, QRegion* painted) : painted_(painted) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            *painted_ += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    QRegion* painted_;
};

class MainWindowTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::unique_ptr<MainWindow> window;

    void copyPictures()
    {
#ifdef VERMO_ASSETS
        const std::filesystem::path assets = VERMO_ASSETS;
        for (const char* file : pictureFiles)
            if (std::filesystem::exists(assets / file))
                std::filesystem::copy_file(assets / file, folder / file);
#endif
    }

    void open(bool withPictures = true)
    {
        if (withPictures)
            copyPictures();
        if (!std::filesystem::exists(folder / "topten.dll"))
            folder.write("topten.dll", testing::tenRecordsOf());
        window = std::make_unique<MainWindow>(folder.gameFolders());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    VermoGame& game() { return window->game(); }
    QTimer* movementTimer() { return testing::timer(*window, "tmvermomove"); }

    QString labelText(const char* name)
    {
        QLabel* label = testing::label(*window, name);
        return label ? label->text() : QStringLiteral("<no label>");
    }

    // Clicks "Start Game" and answers the speed prompt.
    void startGame(const QString& speed)
    {
        ModalAnswers answers({answerSpeed(speed)});
        QTest::mouseClick(testing::startButton(*window), Qt::LeftButton);
        ASSERT_EQ(answers.answered(), 1);
    }

    // The colour the playfield shows at a point, in the game's units, at
    // whatever scale the board is shown.
    QColor shownAt(float xCm, float yCm)
    {
        const QImage image = window->playfield()->grab().toImage();
        const double perCm = window->playfield()->width() * twipsPerCm / clientWidthTwips;
        return image.pixelColor(qRound(xCm * perCm), qRound(yCm * perCm));
    }
};

TEST_F(MainWindowTest, LayoutMenusAndPanelAsDesigned)
{
    folder.write("topten.dll", testing::recordsWithBest("Ann", 120));
    open();
    const double dpi = units::logicalDpi(window.get());

    EXPECT_EQ(window->windowTitle(), "Vermo");
    const QSize client = window->centralWidget()->size();
    EXPECT_EQ(client, QSize(qRound(9750 * dpi / 1440), qRound(6990 * dpi / 1440)));
    if (dpi == 96.0) {
        EXPECT_EQ(client, QSize(650, 466));
    }
    // The playfield fills the client area and rests at its top left.
    EXPECT_EQ(window->playfield()->geometry(), QRect(QPoint(0, 0), client));

    QStringList titles;
    for (QAction* menu : window->menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&View", "&Help"}));
    auto items = [&](int index) {
        QStringList captions;
        for (QAction* item : window->menuBar()->actions()[index]->menu()->actions())
            captions << (item->isSeparator() ? QStringLiteral("---") : item->text());
        return captions;
    };
    // Exactly their items, each with its letter for Alt.
    EXPECT_EQ(items(0), (QStringList{"&New Game", "E&xit"}));
    EXPECT_EQ(items(1), (QStringList{"&High Scores"}));
    EXPECT_EQ(items(2), (QStringList{"Help &File", "&About"}));
    EXPECT_EQ(menuAction(*window, "High")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(menuAction(*window, "Help")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(menuAction(*window, "Newgame")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(menuAction(*window, "Exit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_TRUE(menuAction(*window, "About")->shortcut().isEmpty());

    EXPECT_EQ(labelText("Label1"), "Speed");
    EXPECT_EQ(labelText("lblspeed"), "0");
    EXPECT_EQ(labelText("Label2"), "Score");
    EXPECT_EQ(labelText("lblscore"), "0");
    EXPECT_EQ(labelText("Label3"), "High Score");
    EXPECT_EQ(labelText("lblhighscore"), "120");
    EXPECT_EQ(labelText("Label4"), "Set By:");
    EXPECT_EQ(labelText("lblhighname"), "Ann");
    EXPECT_EQ(testing::label(*window, "Label1")->geometry(),
              QRect(qRound(6960 * dpi / 1440), qRound(480 * dpi / 1440), qRound(2655 * dpi / 1440),
                    qRound(495 * dpi / 1440)));

    // The button covers the whole playfield, walls included.
    const QRect button = testing::startButton(*window)->geometry();
    EXPECT_EQ(button.topLeft(), QPoint(qRound(240 * dpi / 1440), qRound(240 * dpi / 1440)));
    EXPECT_GT(button.right(), qRound(6792 * dpi / 1440));
    EXPECT_GT(button.bottom(), qRound(6795 * dpi / 1440));
}

TEST_F(MainWindowTest, NameWrittenInAnotherCodePageShowsAsItsLetters)
{
    folder.write("topten.dll", testing::recordsWithBest("J\xf6rg", 50));
    open();
    EXPECT_EQ(labelText("lblhighname"), QString::fromUtf8("Jörg"));
    EXPECT_EQ(labelText("lblhighscore"), "50");
}

TEST_F(MainWindowTest, TheStartButtonHoldsTheFocusAndKeysDoNothingUntilItStartsAGame)
{
    open();
    QPushButton* button = testing::startButton(*window);
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), "Start Game");
    EXPECT_TRUE(button->hasFocus());

    QTest::keyClick(window.get(), Qt::Key_Right);
    QTest::keyClick(window.get(), Qt::Key_P);
    EXPECT_FALSE(game().movingRight);
    EXPECT_TRUE(game().headu.Visible);
    EXPECT_FALSE(game().paused);
    EXPECT_TRUE(movementTimer()->isActive());

    // Clicked, it asks the speed and uncovers the playfield.
    startGame("20");
    EXPECT_EQ(labelText("lblspeed"), "20");
    EXPECT_EQ(movementTimer()->interval(), 10);
    EXPECT_TRUE(movementTimer()->isActive());
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(button->hasFocus());
}

TEST_F(MainWindowTest, AnArrowSteersTheRunningTimerMovesTheWormOnScreenAndPPausesIt)
{
    open();
    startGame("1");  // 200 ms a step: a dozen steps to the wall
    QSignalSpy paints(window->playfield(), &PlayfieldWidget::painted);

    QTest::keyClick(window.get(), Qt::Key_Right);
    EXPECT_TRUE(game().headr.Visible);
    QCoreApplication::processEvents();
    const qsizetype paintsAfterKey = paints.count();
    const float left = game().vermo(0).Left;

    // Only the timer moves the head; the screen follows by itself.
    EXPECT_TRUE(QTest::qWaitFor([&] { return game().vermo(0).Left > left; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count() > paintsAfterKey; }, 1000));
    QTest::keyClick(window.get(), Qt::Key_P);
    EXPECT_TRUE(game().paused);
    EXPECT_FALSE(movementTimer()->isActive());

    const Circle& head = game().vermo(0);
    EXPECT_NE(shownAt(head.Left + head.Width / 2, head.Top + head.Height / 2), QColor(Qt::black));
    EXPECT_EQ(shownAt(head.Left - 1.0f, head.Top + head.Height / 2), QColor(Qt::black));

    QTest::keyClick(window.get(), Qt::Key_P);
    EXPECT_FALSE(game().paused);
    EXPECT_TRUE(movementTimer()->isActive());
    QTest::keyClick(window.get(), Qt::Key_P);  // and rest until the test ends
}

TEST_F(MainWindowTest, FunctionKeysOpenTheOtherWindowsDuringAGame)
{
    open();
    startGame("1");
    QSignalSpy high(menuAction(*window, "High"), &QAction::triggered);
    QSignalSpy help(menuAction(*window, "Help"), &QAction::triggered);

    // The speed prompt has just closed; the window takes the keys again.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(high.count(), 1);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(help.count(), 1);
    EXPECT_TRUE(movementTimer()->isActive());
    EXPECT_NE(testing::openWindow<HighScoreWindow>(), nullptr);
    EXPECT_NE(testing::openWindow<HelpWindow>(), nullptr);

    // A key that reaches the window while another one counts as active
    // (no window manager, focus following the mouse) still works, once.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(high.count(), 2);
}

TEST_F(MainWindowTest, AltWithALetterOpensItsMenuAndCtrlNAsksNewGame)
{
    open();
    startGame("1");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_V, Qt::AltModifier);
    QAction* view = window->menuBar()->actions()[1];
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->menu()->isVisible(); }, 2000));
    view->menu()->close();

    // The game ends as File > New Game ends it: "New Game?", then a speed.
    QString question;
    ModalAnswers answers({clickButton(QMessageBox::Yes, &question), answerSpeed("5")});
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(answers.answered(), 2);
    EXPECT_EQ(question, "New Game?");
    EXPECT_EQ(game().speed, 5);
}

// Ctrl+Q ends the program at once, as File > Exit does, from the game's
// window during a game and from the high-score window. (Run in a copy of
// the test: the end is the real one.)
TEST_F(MainWindowTest, CtrlQEndsTheProgramFromAnyOfItsWindows)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            open();
            startGame("1");
            window->activateWindow();
            if (QTest::qWaitForWindowActive(window.get()))
                QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
            std::fprintf(stderr, "still running\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            open();
            QTest::keyClick(window.get(), Qt::Key_F2);
            QWidget* scores = testing::openWindow<HighScoreWindow>();
            if (scores != nullptr) {
                scores->activateWindow();
                if (QTest::qWaitForWindowActive(scores))
                    QTest::keyClick(scores, Qt::Key_Q, Qt::ControlModifier);
            }
            std::fprintf(stderr, "still running\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

// Printing without a printer asks whether to save a PDF, then for the
// file. Those boxes block the High Scores window only: the game runs on
// behind them, and the arrows pressed in the main window steer it.
TEST_F(MainWindowTest, PrintBoxesOpenedDuringAGameLeaveTheArrowsWithTheMainWindow)
{
    open();
    startGame("1");
    QTest::keyClick(window.get(), Qt::Key_F2);
    HighScoreWindow* scores = testing::openWindow<HighScoreWindow>();
    ASSERT_NE(scores, nullptr);

    QStringList faults;
    // An arrow as the window system brings it to the main window.
    auto steer = [&](Qt::Key arrow, const bool& taken, const char* box) {
        QTest::keyClick(window->windowHandle(), arrow);
        if (!taken)
            faults << QStringLiteral("the main window did not take an arrow behind %1").arg(box);
    };
    ModalAnswers answers({
        [&](QWidget* box) {
            if (box->windowModality() != Qt::WindowModal)
                faults << "the question is not modal to its window alone";
            steer(Qt::Key_Left, game().movingLeft, "the question");
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
        },
        [&](QWidget* box) {
            if (qobject_cast<QFileDialog*>(box) == nullptr || box->windowModality() != Qt::WindowModal)
                faults << "the file dialog is not modal to its window alone";
            QTest::qWait(250);  // the worm moves one step on meanwhile
            steer(Qt::Key_Down, game().movingDown, "the file dialog");
            static_cast<QDialog*>(box)->reject();
        },
    });
    const float left = game().vermo(0).Left;
    QTest::mouseClick(scores->findChild<QPushButton*>("cmdprint"), Qt::LeftButton);
    EXPECT_EQ(answers.answered(), 2);
    EXPECT_EQ(faults.join("; ").toStdString(), "");
    EXPECT_LT(game().vermo(0).Left, left);
    EXPECT_TRUE(movementTimer()->isActive());
}

// The pictures are read and decoded once, as the game starts: files that
// go away afterwards are still drawn as they were.
TEST_F(MainWindowTest, PicturesDecodedAtStartUpStayDrawnWhenTheFilesGoAway)
{
    // The head turned left and a poison item, as one window shows them.
    auto shownPictures = [](MainWindow& shown, const std::function<void()>& afterStart) {
        shown.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&shown));
        afterStart();
        ModalAnswers answers({answerSpeed("1")});
        QTest::mouseClick(testing::startButton(shown), Qt::LeftButton);
        testing::timer(shown, "tmvermomove")->stop();
        QTest::keyClick(&shown, Qt::Key_Left);
        shown.game().PlaceP();
        shown.refreshFromModel();
        const QImage image = shown.playfield()->grab().toImage();
        const double perCm = units::pixelsPerCm(shown.playfield()->logicalDpiX());
        auto box = [&](const Image& picture) {
            return image.copy(qRound(picture.Left * perCm), qRound(picture.Top * perCm),
                              qRound(picture.Width * perCm), qRound(picture.Height * perCm));
        };
        return std::pair(box(shown.game().headl), box(shown.game().poison(1)));
    };
    auto nothing = [] {};

    copyPictures();
    for (const char* file : pictureFiles)
        ASSERT_TRUE(std::filesystem::exists(folder / file)) << file << " is not in the assets";
    testing::TempFolder withFiles, withoutFiles;
    for (const char* file : pictureFiles)
        std::filesystem::copy_file(folder / file, withFiles / file);
    withFiles.write("topten.dll", testing::tenRecordsOf());
    withoutFiles.write("topten.dll", testing::tenRecordsOf());
    folder.write("topten.dll", testing::tenRecordsOf());

    MainWindow drawn(withFiles.gameFolders());
    const auto pictures = shownPictures(drawn, nothing);
    MainWindow standIns(withoutFiles.gameFolders());
    const auto stoodIn = shownPictures(standIns, nothing);
    ASSERT_NE(pictures.first, stoodIn.first);
    ASSERT_NE(pictures.second, stoodIn.second);

    window = std::make_unique<MainWindow>(folder.gameFolders());
    const auto afterRemoval = shownPictures(*window, [this] {
        for (const char* file : pictureFiles)
            std::filesystem::remove(folder / file);
    });
    EXPECT_EQ(afterRemoval.first, pictures.first);
    EXPECT_EQ(afterRemoval.second, pictures.second);
}

TEST_F(MainWindowTest, NewGameFromTheMenuBeforeTheFirstGameLetsKeysThrough)
{
    open();
    QString question, shownDefault;
    ModalAnswers answers({clickButton(QMessageBox::Yes, &question), answerSpeed("5", &shownDefault)});
    menuAction(*window, "Newgame")->trigger();
    ASSERT_EQ(answers.answered(), 2);
    EXPECT_EQ(question, "New Game?");
    EXPECT_EQ(shownDefault, "10");
    EXPECT_FALSE(testing::startButton(*window)->isVisible());
    EXPECT_EQ(labelText("lblspeed"), "5");

    QTest::keyClick(window.get(), Qt::Key_Down);
    EXPECT_TRUE(game().movingDown);
    EXPECT_TRUE(game().headd.Visible);
}

// The panel and the board that the game over restores are on screen
// while its question is open.
TEST_F(MainWindowTest, NewGameQuestionShowsTheRestoredBoardBehindIt)
{
    open();
    startGame("1");
    game().score = 0;
    game().BackColor = colors::darkGrey;  // as an effect could have left it
    QColor behindQuestion;
    ModalAnswers answers({
        [&](QWidget* widget) {
            behindQuestion = shownAt(0.2f, 0.2f);
            clickButton(QMessageBox::Yes)(widget);
        },
        answerSpeed("3"),
    });
    menuAction(*window, "Newgame")->trigger();
    ASSERT_EQ(answers.answered(), 2);
    EXPECT_EQ(behindQuestion, QColor(Qt::black));
    EXPECT_EQ(labelText("lblscore"), "0");
    EXPECT_EQ(labelText("lblspeed"), "3");
}

// Players are still steering when the worm dies. Keys pressed as "New
// Game?" comes up, and a key held since before, do not answer it; the
// arrows never move its choice, and Return means Yes. "No" would end the
// program, so the scene runs in a child process that must leave with 42.
TEST_F(MainWindowTest, KeysHeldOrPressedAsTheGameEndsDoNotAnswerNewGame)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto scene = [this] {
        open();
        startGame("1");
        QStringList faults;
        auto key = [](QWidget* box, Qt::Key which, bool repeat = false) {
            QWidget* target = box->focusWidget() ? box->focusWidget() : box;
            QKeyEvent press(QEvent::KeyPress, which, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, which, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(target, &release);
        };
        ModalAnswers answers({
            [&](QWidget* widget) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                QAbstractButton* yes = box->button(QMessageBox::Yes);
                for (Qt::Key early : {Qt::Key_Down, Qt::Key_P, Qt::Key_Return})
                    key(box, early);
                if (!box->isVisible())
                    faults << "keys pressed as it came up answered it";
                QTest::qWait(FreshKeysOnly::quietMilliseconds + 100);
                key(box, Qt::Key_Return, true);  // a Return held since the worm died
                // X11 may leave a held key's first repeat unmarked; it
                // comes at the moment the key was let go.
                QKeyEvent letGo(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
                letGo.setTimestamp(4242);
                QApplication::sendEvent(box->focusWidget(), &letGo);
                QKeyEvent again(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                again.setTimestamp(4242);
                QApplication::sendEvent(box->focusWidget(), &again);
                if (!box->isVisible())
                    faults << "a key held since before answered it";
                key(box, Qt::Key_Down);
                if (box->focusWidget() != yes)
                    faults << "Down moved the choice";
                key(box, Qt::Key_Return);
                if (box->isVisible())
                    faults << "Return did not answer it";
            },
            answerSpeed("3"),
        });
        menuAction(*window, "Newgame")->trigger();
        if (answers.answered() != 2 || labelText("lblspeed") != "3")
            faults << "no new game followed";
        std::fprintf(stderr, "faults: %s\n", qPrintable(faults.join("; ")));
        std::_Exit(faults.isEmpty() ? 42 : 1);
    };
    EXPECT_EXIT(scene(), ::testing::ExitedWithCode(42), "faults: ");
}

// A fast player clicks "Start Game" and types the speed at once: every key
// pressed after the prompt was asked for counts, while a key held since
// before is still left out. At a game over the keys held from play are
// left out of "New Game?" too.
TEST_F(MainWindowTest, KeysPressedAfterTheSpeedPromptWasAskedForReachItHeldOnesDoNot)
{
    open();
    auto press = [](QWidget* target, Qt::Key which, const QString& text, bool repeat = false) {
        QKeyEvent down(QEvent::KeyPress, which, Qt::NoModifier, text, repeat);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, which, Qt::NoModifier, text, repeat);
        QApplication::sendEvent(target, &up);
    };
    // Should the box not take its answer, it is answered otherwise and
    // the test goes on to fail.
    auto unblock = [](QWidget* box, std::function<void()> answer) {
        QTimer::singleShot(2000, box, std::move(answer));
    };
    QString typedInPrompt;
    bool newGameOpenAfterHeldKeys = false;
    ModalAnswers answers({
        [&](QWidget* widget) {
            auto* box = qobject_cast<QInputDialog*>(widget);
            ASSERT_NE(box, nullptr);
            unblock(box, [box] { box->setTextValue("7"); box->accept(); });
            press(box->focusWidget(), Qt::Key_5, "5", true);  // held since before
            press(box->focusWidget(), Qt::Key_2, "2");
            press(box->focusWidget(), Qt::Key_0, "0");
            typedInPrompt = box->textValue();
            press(box->focusWidget(), Qt::Key_Return, QString());
        },
        [&](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_NE(box, nullptr);
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            unblock(box, [yes] { yes->click(); });
            QTest::qWait(FreshKeysOnly::quietMilliseconds + 100);
            for (Qt::Key held : {Qt::Key_Down, Qt::Key_Return, Qt::Key_N, Qt::Key_Space})
                press(box->focusWidget(), held, QString(), true);
            newGameOpenAfterHeldKeys = box->isVisible();
            press(box->focusWidget(), Qt::Key_Return, QString());
        },
        answerSpeed("4"),
    });
    QTest::keyClick(testing::startButton(*window), Qt::Key_Space);
    ASSERT_EQ(answers.answered(), 1);
    EXPECT_EQ(typedInPrompt, "20");
    EXPECT_EQ(labelText("lblspeed"), "20");
    EXPECT_EQ(movementTimer()->interval(), 10);

    menuAction(*window, "Newgame")->trigger();
    EXPECT_EQ(answers.answered(), 3);
    EXPECT_TRUE(newGameOpenAfterHeldKeys);
    EXPECT_EQ(labelText("lblspeed"), "4");
}

// The name prompt comes while the player may still be steering: the
// worm's keys (arrows, P, Return) of its first quarter second are left
// out, the letters of the name are not.
TEST_F(MainWindowTest, ANameTypedAtOnceIntoTheNamePromptIsKeptPIncludedTheArrowsWait)
{
    open();
    startGame("1");
    movementTimer()->stop();
    game().score = 50;
    QString typedAtOnce;
    bool openAfterEarlyReturn = false;
    ModalAnswers answers({
        [&](QWidget* widget) {
            auto* box = qobject_cast<QInputDialog*>(widget);
            ASSERT_NE(box, nullptr);
            QWidget* field = box->focusWidget();
            QTest::keyClick(field, 'P', Qt::ShiftModifier);
            QTest::keyClick(field, 'a');
            QTest::keyClick(field, 't');
            QTest::keyClick(field, Qt::Key_Left);
            QTest::keyClicks(field, " Lee-7p");
            QTest::keyClick(field, Qt::Key_Return);
            typedAtOnce = box->textValue();
            openAfterEarlyReturn = box->isVisible();
            QTest::qWait(FreshKeysOnly::quietMilliseconds + 100);
            QTest::keyClick(field, Qt::Key_Return);
        },
        clickButton(QMessageBox::Yes),
        answerSpeed("3"),
    });
    menuAction(*window, "Newgame")->trigger();
    ASSERT_EQ(answers.answered(), 3);
    EXPECT_EQ(typedAtOnce, "Pat Lee-7p");
    EXPECT_TRUE(openAfterEarlyReturn);
    EXPECT_EQ(folder.read("topten.dll").substr(0, 17), "\"Pat Lee-7p\",50\r\n");
}

// Alt alone would take the keyboard into the menu bar, where the arrows
// walk the menus while the worm runs on. Once the game is paused, Alt
// reaches the menus again.
TEST_F(MainWindowTest, AloneAltDuringAGameLeavesTheArrowsWithTheWorm)
{
    open();
    startGame("1");
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto press = [](Qt::Key which, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), which, modifiers);
    };
    press(Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(window->menuBar()->activeAction(), nullptr);
    press(Qt::Key_Left);
    EXPECT_TRUE(game().movingLeft);

    press(Qt::Key_P);
    ASSERT_TRUE(game().paused);
    press(Qt::Key_Alt, Qt::AltModifier);
    EXPECT_NE(window->menuBar()->activeAction(), nullptr);

    // P resumes the game from the menu bar, and the arrows steer again.
    press(Qt::Key_P);
    EXPECT_FALSE(game().paused);
    EXPECT_EQ(window->menuBar()->activeAction(), nullptr);
    press(Qt::Key_Up);
    // Taken at once, or at the next step as the worm has not moved since Left.
    EXPECT_TRUE(game().movingUp || game().heldTurn == keys::Up);
    EXPECT_EQ(window->menuBar()->activeAction(), nullptr);
}

TEST_F(MainWindowTest, ABestNameWiderThanItsPanelEndsInAnEllipsisWithTheWholeNameAsTooltip)
{
    const QString name = QStringLiteral("Christopher Maximilian Fortescue-Smythe");
    folder.write("topten.dll", testing::recordsWithBest(name.toStdString(), 900));
    open();
    QLabel* label = testing::label(*window, "lblhighname");
    const QString shown = label->text();
    EXPECT_TRUE(shown.startsWith("Christ")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
    EXPECT_EQ(label->toolTip(), name);

    // A name that fits shows whole, with no tooltip.
    EXPECT_EQ(labelText("Label4"), "Set By:");
    EXPECT_TRUE(testing::label(*window, "Label4")->toolTip().isEmpty());
}

TEST_F(MainWindowTest, FirstRunWithoutATableShowsTheRecoveryMessage)
{
    copyPictures();
    QString message;
    ModalAnswers answers({clickButton(QMessageBox::Ok, &message)});
    window = std::make_unique<MainWindow>(folder.gameFolders());
    ASSERT_EQ(answers.answered(), 1);
    EXPECT_EQ(message, "High lng_score File Not Found, High lng_score Being Set to 0");
}

TEST_F(MainWindowTest, PlayfieldPaintsWallsBerryAndStandInsForMissingPictures)
{
    open(false);
    startGame("1");
    movementTimer()->stop();

    // Left wall at 285 twips, top wall at 285 twips.
    EXPECT_EQ(shownAt(cmFromTwips(285), 6.0f), units::colorFromBgr(colors::wallBlue));
    EXPECT_EQ(shownAt(6.0f, cmFromTwips(285)), units::colorFromBgr(colors::wallBlue));

    const Circle& berry = game().berry;
    EXPECT_EQ(shownAt(berry.Left + berry.Width / 2, berry.Top + berry.Height / 2),
              units::colorFromBgr(berry.FillColor));

    // Without its picture file the head still shows, on the head segment.
    const Circle& head = game().vermo(0);
    const QColor centre = shownAt(head.Left + head.Width / 2, head.Top + head.Height / 2);
    EXPECT_NE(centre, QColor(Qt::black));
    EXPECT_GT(centre.green(), centre.red());
}

// A compositor may leave the keyboard with the help or high-score window
// after a box: P and the arrows pressed there still play the game.
TEST_F(MainWindowTest, GameKeysPressedInHelpAndHighScoresGoToTheGame)
{
#ifdef VERMO_ASSETS
    std::filesystem::copy_file(std::filesystem::path(VERMO_ASSETS) / "helpfile.bat", folder / "helpfile.bat");
#endif
    open();
    startGame("1");
    menuAction(*window, "Help")->trigger();
    menuAction(*window, "High")->trigger();
    QWidget* help = testing::openWindow<HelpWindow>();
    QWidget* high = testing::openWindow<HighScoreWindow>();
    ASSERT_NE(help, nullptr);
    ASSERT_NE(high, nullptr);

    QTest::keyClick(help, Qt::Key_Right);
    EXPECT_TRUE(game().headr.Visible);
    QTest::keyClick(help, Qt::Key_P);
    EXPECT_TRUE(game().paused);
    EXPECT_FALSE(movementTimer()->isActive());

    QTest::keyClick(high, Qt::Key_P);
    EXPECT_FALSE(game().paused);
    QTest::keyClick(high, Qt::Key_Up);
    // Taken at once, or at the next step as the worm has not moved since Right.
    EXPECT_TRUE(game().movingUp || game().heldTurn == keys::Up);
    QTest::keyClick(high, Qt::Key_P);  // and rest until the test ends
}

// The start screen waits for the player ten times a second; with nothing
// changed on the field it must not be painted again each time.
TEST_F(MainWindowTest, TheFieldIsPaintedOnlyWhenSomethingOnItChanged)
{
    open();
    QSignalSpy paints(window->playfield(), &PlayfieldWidget::painted);
    QTest::qWait(50);  // the first show's paint
    paints.clear();
    for (int i = 0; i < 3; ++i) {
        testing::fire(movementTimer());
        testing::fire(testing::timer(*window, "tmscoreupdate"));
        QTest::qWait(30);
    }
    EXPECT_EQ(paints.count(), 0);

    startGame("1");
    movementTimer()->stop();
    QTest::keyClick(window.get(), Qt::Key_Right);
    QTest::qWait(50);
    paints.clear();
    const float left = game().vermo(0).Left;
    testing::fire(movementTimer());
    ASSERT_NE(game().vermo(0).Left, left);
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count() > 0; }, 1000));
    EXPECT_EQ(paints.count(), 1);
    const Circle& head = game().vermo(0);
    EXPECT_NE(shownAt(head.Left + head.Width / 2, head.Top + head.Height / 2), QColor(Qt::black));

    // A tick repaints the cells it changed (the head's old and new one),
    // not the whole field.
    QRegion repainted;
    PaintWatcher watcher(window->playfield(), &repainted);
    testing::fire(movementTimer());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !repainted.isEmpty(); }, 1000));
    const double perCm = units::pixelsPerCm(window->playfield()->logicalDpiX());
    const QPoint headCentre(qRound((head.Left + head.Width / 2) * perCm),
                            qRound((head.Top + head.Height / 2) * perCm));
    EXPECT_TRUE(repainted.contains(headCentre));
    EXPECT_LT(repainted.boundingRect().width() * repainted.boundingRect().height(),
              window->playfield()->width() * window->playfield()->height() / 20);
}

// Resized, maximised or full screen (F11), the window shows the whole board
// at one scale in its middle, the panel's text with it, black around; F11
// again brings the design size back.
TEST_F(MainWindowTest, AnyWindowSizeShowsTheBoardWholeAtOneScaleInTheMiddle)
{
    open();
    startGame("20");
    movementTimer()->stop();
    QWidget* client = window->centralWidget();
    QWidget* board = window->playfield();
    const QSize design = board->size();
    ASSERT_EQ(client->size(), design);
    const double designPoints = testing::label(*window, "lblscore")->font().pointSizeF();

    auto expectScaledInTheMiddle = [&](const char* how) {
        SCOPED_TRACE(how);
        const double scale = testing::expectBoardScaledInTheMiddle(*client, *board, design);
        const QRect at = board->geometry();
        EXPECT_NEAR(testing::label(*window, "lblscore")->font().pointSizeF(), designPoints * scale, 0.01);
        // Black beside the board, where the window is wider than it.
        const QImage shown = client->grab().toImage();
        if (at.left() > 2) {
            EXPECT_EQ(shown.pixelColor(at.left() / 2, client->height() / 2), QColor(Qt::black));
        }
        // The head's picture where the game has the head, and the wall.
        const Circle& head = game().vermo(0);
        EXPECT_NE(shownAt(head.Left + head.Width / 2, head.Top + head.Height / 2), QColor(Qt::black));
        EXPECT_EQ(shownAt(cmFromTwips(285), 6.0f), units::colorFromBgr(colors::wallBlue));
    };

    window->resize(window->width() * 2, window->height() * 3 / 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->height() > design.height() * 14 / 10; }));
    expectScaledInTheMiddle("resized");

    QTest::keyClick(window.get(), Qt::Key_F11);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isFullScreen(); }));
    QTest::qWait(50);
    EXPECT_EQ(window->frameGeometry().size(), window->screen()->geometry().size());
    expectScaledInTheMiddle("full screen");

    QTest::keyClick(window.get(), Qt::Key_F11);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isFullScreen(); }));
    window->resize(design.width(), design.height() + window->menuBar()->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return board->size() == design; }));
    EXPECT_EQ(board->pos(), QPoint(0, 0));
    EXPECT_EQ(testing::label(*window, "lblscore")->font().pointSizeF(), designPoints);
}

TEST_F(MainWindowTest, ClosingTheWindowStopsItsTimersWithoutAGameOver)
{
    open();
    startGame("1");
    const std::string before = folder.read("topten.dll");
    game().score = 500;
    window->close();
    EXPECT_FALSE(movementTimer()->isActive());
    EXPECT_FALSE(testing::timer(*window, "tmscoreupdate")->isActive());
    EXPECT_EQ(folder.read("topten.dll"), before);
}

}  // namespace
}  // namespace vermo
