// SPDX-License-Identifier: GPL-3.0-or-later
// The shake on a real desktop: run by on_desktop.sh on X11 (Xvfb) and on
// Wayland (weston). Where the program may move its window, the window
// itself shakes; where only the compositor places windows, the contents
// shake inside the window and the window is never asked to move.
#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "game/qt/main_window.h"
#include "game/qt/playfield_widget.h"
#include "platform/qt/units.h"
#include "support/temp_folder.h"
#include "shell/modal_answers.h"
#include "support/score_builders.h"
#include "support/window_parts.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QPoint& point, std::ostream* out)
{
    *out << "(" << point.x() << ", " << point.y() << ")";
}
QT_END_NAMESPACE

namespace vermo {
namespace {

// Counts the moves Qt reports for one window.
class MoveCounter : public QObject {
public:
    explicit MoveCounter(QWidget* window) { window->installEventFilter(this); }
    int moves = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Move)
            ++moves;
        return false;
    }
};

// Where the window stands once the X server has moved it to `expected`,
// or after two seconds of waiting for that.
QPoint settledPosition(const QWindow* window, QPoint expected)
{
    static_cast<void>(QTest::qWaitFor([&] { return window->framePosition() == expected; }, 2000));
    return window->framePosition();
}

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// The game's window on this desktop, shown, over a table of ten records.
class ShakeOnThisDesktop : public ::testing::Test {
protected:
    testing::TempFolder folder;
    MainWindow window{withTable(folder)};
    QTimer* shake = testing::timer(window, "tmshake");

    static GameFolders withTable(const testing::TempFolder& folder)
    {
        folder.write("topten.dll", testing::tenRecordsOf());
        return folder.gameFolders();
    }
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Berries' effects, drawn until a blue one's shake comes up (one in
    // six draws); from then on only the test's own ticks count, however
    // long its waits take.
    void drawUntilTheShakeComesUp()
    {
        for (int draw = 0; draw < 200 && !shake->isActive(); ++draw)
            window.game().Effects();
        ASSERT_TRUE(shake->isActive());
        shake->setInterval(24 * 60 * 60 * 1000);
    }
};

TEST_F(ShakeOnThisDesktop, FollowsTheSixStepsAndComesBackToRest)
{
    {
        testing::ModalAnswers answers({[](QWidget* box) {  // the speed prompt takes its "10"
            if (auto* prompt = qobject_cast<QDialog*>(box))
                prompt->accept();
        }});
        testing::startButton(window)->click();
        ASSERT_EQ(answers.answered(), 1);
    }
    testing::timer(window, "tmvermomove")->stop();  // the worm stays put
    QTest::qWait(200);

    const QWindow* handle = window.windowHandle();
    const QPoint windowAtStart = handle->framePosition();
    QWidget* contents = window.playfield();
    const QPoint rest = contents->pos();
    MoveCounter counter(&window);

    ASSERT_NO_FATAL_FAILURE(drawUntilTheShakeComesUp());

    // Each place is worked out from the window's first place in twips and
    // the shake's steps, as the game sees them, and rounded once.
    const double dpi = units::logicalDpi(&window);
    const QPoint startTwips(units::twipsFromPixels(windowAtStart.x(), dpi),
                            units::twipsFromPixels(windowAtStart.y(), dpi));
    const std::vector<QPoint> cycle = {{-300, 0},   {-300, -300}, {300, -300},
                                       {300, 300}, {0, 300},     {0, 0}};
    for (const QPoint& offset : cycle) {
        testing::fire(shake);
        const QPoint twips = startTwips + offset;
        const QPoint expected(units::pixelsFromTwips(twips.x(), dpi), units::pixelsFromTwips(twips.y(), dpi));
        if (onWayland()) {
            EXPECT_EQ(contents->pos(), rest + QPoint(units::pixelsFromTwips(offset.x(), dpi),
                                                     units::pixelsFromTwips(offset.y(), dpi)));
        } else {
            EXPECT_EQ(settledPosition(handle, expected), expected);
            EXPECT_EQ(contents->pos(), rest);
        }
    }

    // 204 ticks in all, then the shake rests.
    for (int tick = static_cast<int>(cycle.size()); tick < 204; ++tick) {
        ASSERT_TRUE(shake->isActive()) << "stopped after " << tick << " ticks";
        testing::fire(shake);
    }
    EXPECT_FALSE(shake->isActive());
    QTest::qWait(200);
    EXPECT_EQ(contents->pos(), rest);
    if (onWayland()) {
        EXPECT_EQ(counter.moves, 0);
        EXPECT_EQ(handle->framePosition(), windowAtStart);
    } else {
        // The end puts the window back where the shake found it.
        EXPECT_EQ(settledPosition(handle, windowAtStart), windowAtStart);
    }
}

// A maximised window cannot move: the board shakes inside it, by the
// shake's steps at the board's scale, and comes back exactly to the
// middle; the window stays where it is.
TEST_F(ShakeOnThisDesktop, MaximisedTheBoardShakesInsideAndComesBackExactly)
{
    const QSize windowSize = window.size();
    window.windowHandle()->setWindowStates(Qt::WindowMaximized);
    if (!QTest::qWaitFor([&] { return window.width() > windowSize.width(); }, 3000))
        GTEST_SKIP() << "no window manager maximises windows here";
    QTest::qWait(300);
    QWidget* board = window.playfield();
    const QPoint rest = board->pos();
    const QPoint windowAt = window.windowHandle()->framePosition();

    ASSERT_NO_FATAL_FAILURE(drawUntilTheShakeComesUp());
    const double step = 300.0 * board->width() / 9750;
    const std::vector<QPointF> cycle = {{-step, 0},    {-step, -step}, {step, -step},
                                        {step, step}, {0, step},      {0, 0}};
    for (const QPointF& offset : cycle) {
        testing::fire(shake);
        EXPECT_NEAR(board->x() - rest.x(), offset.x(), 1.0);
        EXPECT_NEAR(board->y() - rest.y(), offset.y(), 1.0);
    }
    for (int tick = static_cast<int>(cycle.size()); tick < 204; ++tick)
        testing::fire(shake);
    EXPECT_FALSE(shake->isActive());
    EXPECT_EQ(board->pos(), rest);
    EXPECT_EQ(window.windowHandle()->framePosition(), windowAt);
}

// Where the player put the window, the game over leaves it; a game over in
// the middle of a shake puts it back where the shake found it. Where only
// the compositor places windows, the window never moves.
TEST_F(ShakeOnThisDesktop, GameOverLeavesTheWindowWhereThePlayerPutIt)
{
    // Every box is answered as a hurried player would: the speed prompt
    // and a name prompt (should an effect's bonus make the score count)
    // with what they offer, "New Game?" with Yes. The game-over boxes take
    // no answer in their first quarter second, so the answer is given
    // again until the box goes.
    const testing::ModalAnswers::Step answer = [](QWidget* box) {
        auto* again = new QTimer(box);
        QObject::connect(again, &QTimer::timeout, box, [box] {
            if (auto* question = qobject_cast<QMessageBox*>(box))
                question->button(QMessageBox::Yes)->click();
            else if (auto* dialog = qobject_cast<QDialog*>(box))
                dialog->accept();
        });
        again->start(100);
    };
    testing::ModalAnswers answers(std::vector<testing::ModalAnswers::Step>(10, answer));
    window.game().cmdstart_Click();
    testing::timer(window, "tmvermomove")->stop();
    QTest::qWait(200);
    const QWindow* handle = window.windowHandle();
    const QPoint rest = window.playfield()->pos();

    // The player drags the window a little way.
    const QPoint put = handle->framePosition() + (onWayland() ? QPoint() : QPoint(10, 8));
    window.move(put);
    ASSERT_EQ(settledPosition(handle, put), put);
    window.game().Newgame_Click();
    testing::timer(window, "tmvermomove")->stop();
    QTest::qWait(300);
    EXPECT_EQ(handle->framePosition(), put) << "game over with no shake";

    ASSERT_NO_FATAL_FAILURE(drawUntilTheShakeComesUp());
    for (int tick = 0; tick < 3; ++tick)
        testing::fire(shake);
    if (!onWayland()) {
        ASSERT_NE(settledPosition(handle, put), put);
    }
    window.game().Newgame_Click();
    testing::timer(window, "tmvermomove")->stop();
    EXPECT_EQ(settledPosition(handle, put), put) << "game over three steps into a shake";
    if (onWayland()) {
        EXPECT_EQ(window.playfield()->pos(), rest);
    }
}

}  // namespace
}  // namespace vermo
