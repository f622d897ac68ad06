// SPDX-License-Identifier: GPL-3.0-or-later
// The shaking window and the invisible body run on their own timers.
#include <algorithm>
#include <cstdlib>

#include "core/game_fixture.h"

namespace vermo::testing {
namespace {

class EffectTimers : public PlayingGameTest {
protected:
    int invisibleTicksUntilGreen()
    {
        int ticks = 0;
        while (rig.tminvisible.tick()) {
            ++ticks;
            if (!rig.tminvisible.enabled())
                break;
            if (ticks > 100)
                break;
        }
        return ticks;
    }
};

TEST_F(EffectTimers, ShakeVisitsTheSixPointsAndEndsHomeAfter204Ticks)
{
    drawEffect(6);
    const std::pair<int, int> cycle[] = {{-300, 0}, {-300, -300}, {300, -300},
                                         {300, 300}, {0, 300},    {0, 0}};
    int ticks = 0;
    for (; ticks < 203; ++ticks) {
        ASSERT_TRUE(rig.tmshake.tick());
        auto [dx, dy] = cycle[ticks % 6];
        ASSERT_EQ(rig.window.left(), 1080 + dx) << "tick " << ticks + 1;
        ASSERT_EQ(rig.window.top(), 675 + dy) << "tick " << ticks + 1;
    }
    EXPECT_TRUE(rig.tmshake.enabled());
    ASSERT_TRUE(rig.tmshake.tick());  // the 204th: 34 whole cycles
    EXPECT_FALSE(rig.tmshake.enabled());
    EXPECT_EQ(rig.window.left(), 1080);
    EXPECT_EQ(rig.window.top(), 675);
}

TEST_F(EffectTimers, AWindowDraggedDuringTheShakeEndsWhereTheShakeFoundIt)
{
    rig.window.left_ = 4000;
    rig.window.top_ = 2500;
    drawEffect(6);
    rig.tmshake.tick();
    EXPECT_EQ(rig.window.left(), 3700);
    rig.window.left_ = 6000;  // dragged during the shake
    int ticks = 1;
    while (rig.tmshake.tick() && rig.tmshake.enabled())
        ++ticks;
    EXPECT_EQ(ticks + 1, 204);
    EXPECT_EQ(rig.window.left(), 4000);
    EXPECT_EQ(rig.window.top(), 2500);
}

TEST_F(EffectTimers, ShakeDrawnAgainStartsAfreshFromRestAndEndsWhereTheFirstFoundTheWindow)
{
    rig.window.left_ = 4000;
    rig.window.top_ = 2500;
    drawEffect(6);
    for (int i = 0; i < 50; ++i)
        rig.tmshake.tick();
    ASSERT_EQ(rig.window.left(), 3700);  // two steps into a cycle
    drawEffect(6);
    int ticks = 0, farthest = 0;
    while (rig.tmshake.enabled() && rig.tmshake.tick()) {
        ++ticks;
        farthest = std::max({farthest, std::abs(rig.window.left() - 4000),
                             std::abs(rig.window.top() - 2500)});
    }
    EXPECT_EQ(ticks, 204);
    EXPECT_EQ(farthest, 300);  // one step, never two shakes added up
    EXPECT_EQ(rig.window.left(), 4000);
    EXPECT_EQ(rig.window.top(), 2500);
}

TEST_F(EffectTimers, InvisibilityLastsTwentySixTicksInTheFirstGameThenOneTick)
{
    growBody(2, -1, 0);
    drawEffect(5);
    EXPECT_EQ(invisibleTicksUntilGreen(), 26);
    for (int i = 0; i <= 2; ++i)
        EXPECT_EQ(game().vermo(i).FillColor, colors::wormGreen);

    drawEffect(5);  // a second one in the same game: the counter stands at 25
    EXPECT_EQ(invisibleTicksUntilGreen(), 1);
}

TEST_F(EffectTimers, InvisibilityLastsTwentyFiveTicksAfterAGameOver)
{
    game().Newgame_Click();  // game over sets the counter to 1; Yes
    drawEffect(5);
    EXPECT_EQ(invisibleTicksUntilGreen(), 25);
}

TEST_F(EffectTimers, TheEndRecoloursEverySegmentThatExistsThen)
{
    drawEffect(5);
    for (int i = 0; i < 12; ++i)
        game().Grow();  // copies of the dark grey head
    invisibleTicksUntilGreen();
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(game().vermo(i).FillColor, colors::wormGreen) << i;
        EXPECT_EQ(game().vermo(i).BorderColor, colors::wormGreen) << i;
    }
}

TEST_F(EffectTimers, PausedShakeResumesOnlyTheShake)
{
    drawEffect(6);
    rig.tmshake.tick();
    press(keys::P);
    EXPECT_FALSE(rig.tmshake.tick());
    press(keys::P);
    EXPECT_TRUE(rig.tmshake.enabled());
    EXPECT_FALSE(rig.tminvisible.enabled());
    rig.tmshake.tick();
    EXPECT_EQ(rig.window.top(), 375);  // the cycle went on from its second step
}

TEST_F(EffectTimers, GameOverUndoesBothEffectsBeforeTheFirstBox)
{
    drawEffect(6);
    for (int i = 0; i < 3; ++i)
        rig.tmshake.tick();
    drawEffect(5);
    game().BackColor = colors::white;
    bool quietBehindTheBox = false;
    rig.dialogs.answerYesNo(Answer::No, [&] {
        quietBehindTheBox = rig.window.left() == 1080 && rig.window.top() == 675
                         && game().BackColor == colors::black
                         && game().vermo(0).FillColor == colors::wormGreen
                         && !rig.tmshake.enabled() && !rig.tminvisible.enabled()
                         && !rig.tmvermomove.enabled();
    });
    EXPECT_THROW(game().Newgame_Click(), ProgramEnded);
    EXPECT_TRUE(quietBehindTheBox);
}

// Game over with the window where the player put it, at every moment of a
// shake: where the shake found it, or where it stands when no shake ran.
TEST_F(EffectTimers, GameOverPutsTheWindowWhereThePlayerHadIt)
{
    struct Case {
        const char* what;
        int shakeTicks;  // -1: no shake
        bool pausedDuringShake;
    };
    for (const Case& c : {Case{"moved by the player, no shake", -1, false},
                          Case{"three steps into a shake", 3, false},
                          Case{"a shake paused after five steps", 5, true},
                          Case{"after a shake that ended", 204, false}}) {
        SCOPED_TRACE(c.what);
        rig.window.left_ = 15000;
        rig.window.top_ = 9000;
        if (c.shakeTicks >= 0) {
            drawEffect(6);
            for (int i = 0; i < c.shakeTicks; ++i)
                rig.tmshake.tick();
            if (c.shakeTicks % 6 != 0) {
                ASSERT_NE(std::make_pair(rig.window.left(), rig.window.top()),
                          std::make_pair(15000, 9000));
            }
            if (c.pausedDuringShake)
                press(keys::P);
        }
        std::pair<int, int> behindTheBox;
        rig.dialogs.answerYesNo(Answer::Yes, [&] {
            behindTheBox = {rig.window.left(), rig.window.top()};
        });
        game().Newgame_Click();
        EXPECT_EQ(behindTheBox, std::make_pair(15000, 9000));
        EXPECT_EQ(rig.window.left(), 15000);
        EXPECT_EQ(rig.window.top(), 9000);
    }
}

}  // namespace
}  // namespace vermo::testing
