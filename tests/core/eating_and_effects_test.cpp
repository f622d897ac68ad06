// SPDX-License-Identifier: GPL-3.0-or-later
// Eating the five berries, and the six random effects.
#include "core/game_fixture.h"

namespace vermo::testing {
namespace {

class Eating : public GameTest {
protected:
    // Puts a berry of the kind under the standing head and eats it in one
    // tick. Poison goes to a far corner, the effect is the one given, the
    // next berry goes to the other corner.
    void eat(int kind, int effect = 2)
    {
        rig.putBerry(11, 11, kind);
        if (kind == 1 || kind == 3 || kind == 5)
            rig.random.queuePoison(1, 23);
        else
            rig.random.queueEffect(effect);
        rig.random.queueBerry(23, 1, 1);
        rig.tick();
    }
};

TEST_F(Eating, PointsAndSegmentsOfEveryKindAtSpeedTenAndTwentyFive)
{
    struct Expect {
        int kind, points, segments, poison;
    };
    const Expect table[] = {{1, 1, 2, 1}, {2, 3, 1, 0}, {3, 1, 4, 1}, {4, 2, 1, 0}, {5, 1, 1, 1}};
    for (auto [answer, speed] : {std::pair{"10", 10}, std::pair{"0", 25}}) {
        for (Expect e : table) {
            SCOPED_TRACE(::testing::Message() << "speed " << speed << " kind " << e.kind);
            TempFolder own;
            own.write("topten.dll", tenRecordsOf());
            GameRig r(own.path());
            r.random.queueBerry(1, 1, 1);
            r.startPlaying(answer);
            r.putBerry(11, 11, e.kind);
            if (e.poison)
                r.random.queuePoison(1, 23);
            else
                r.random.queueEffect(2);  // a penalty that a low score does not feel
            r.random.queueBerry(23, 1, 1);
            r.tick();
            EXPECT_EQ(r.game->score, e.points * speed);
            EXPECT_EQ(r.game->lblscore.Caption, std::to_string(e.points * speed));
            EXPECT_EQ(r.game->vermo.highest(), e.segments);
            EXPECT_EQ(r.game->poisonCount, e.poison);
            EXPECT_EQ(r.game->poisonPlaced, e.poison == 1);
            EXPECT_EQ(r.game->speed, speed);  // multiplied and divided back
            EXPECT_TRUE(r.game->berryEaten);
            EXPECT_EQ(r.game->berry.Left, 11.5f);  // the next berry is placed
        }
    }
}

TEST_F(Eating, NewSegmentsStartOnTheHeadAndTheFirstTakesTheOldTail)
{
    startPlaying();
    growBody(1, -1, 0);  // tail on 5.0, 5.5
    eat(3);              // four segments
    EXPECT_EQ(game().vermo.highest(), 5);
    EXPECT_EQ(game().vermo(2).Left, 5.0f);  // moved onto the former tail's cell
    for (int i = 3; i <= 5; ++i) {
        EXPECT_EQ(game().vermo(i).Left, 5.5f);
        EXPECT_TRUE(game().vermo(i).Visible);
        EXPECT_EQ(game().vermo(i).FillColor, colors::wormGreen);
    }
}

TEST_F(Eating, StandingOnTheNeckAfterEatingEndsTheNextTick)
{
    startPlaying();
    eat(5);
    EXPECT_TRUE(samePosition(game().vermo(0), game().vermo(1)));
    rig.dialogs.answerYesNo(Answer::No);
    EXPECT_THROW(rig.tick(), ProgramEnded);
}

TEST_F(Eating, EffectScoreChangeComesBeforeTheBerryPointsOnTheLabel)
{
    startPlaying();
    eat(2, 3);  // bonus 150, then 3 x 10
    EXPECT_EQ(game().score, 180);
    EXPECT_EQ(game().lblscore.Caption, "180");
}

TEST_F(Eating, PenaltyOnlyAboveThreeHundred)
{
    startPlaying();
    game().score = 300;
    eat(4, 2);
    EXPECT_EQ(game().score, 320);

    game().score = 301;
    rig.putHead(5, 5);  // away from the neck the last berry left
    game().vermo(1).Left = 0.5f;
    rig.putBerry(5, 5, 4);
    rig.random.queueEffect(2);
    rig.random.queueBerry(23, 1, 1);
    rig.tick();
    EXPECT_EQ(game().score, 151 + 20);
}

class RandomEffects : public PlayingGameTest {};

TEST_F(RandomEffects, GrowthAddsTenSegments)
{
    drawEffect(1);
    EXPECT_EQ(game().vermo.highest(), 10);
}

TEST_F(RandomEffects, ShrinkingNeverGoesBelowSixteenSegments)
{
    for (auto [before, after] : {std::pair{20, 15}, {16, 15}, {15, 15}, {0, 0}, {30, 20}}) {
        while (game().vermo.highest() > 0)
            game().vermo.unloadHighest();
        for (int i = 0; i < before; ++i)
            game().Grow();
        drawEffect(4);
        EXPECT_EQ(game().vermo.highest(), after) << "from " << before;
    }
}

TEST_F(RandomEffects, BonusAndPenaltyChangeTheLabel)
{
    drawEffect(3);
    EXPECT_EQ(game().lblscore.Caption, "150");
    game().score = 301;
    drawEffect(2);
    EXPECT_EQ(game().score, 151);
    EXPECT_EQ(game().lblscore.Caption, "151");
    drawEffect(2);
    EXPECT_EQ(game().score, 151);
}

TEST_F(RandomEffects, InvisibilityDarkensTheHeadAndBlackensTheBody)
{
    growBody(3, -1, 0);
    game().invisibleTicks = 7;
    drawEffect(5);
    EXPECT_EQ(game().vermo(0).FillColor, colors::darkGrey);
    EXPECT_EQ(game().vermo(0).BorderColor, colors::darkGrey);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(game().vermo(i).FillColor, colors::black);
        EXPECT_EQ(game().vermo(i).BorderColor, colors::black);
    }
    EXPECT_TRUE(rig.tminvisible.enabled());
    EXPECT_EQ(game().invisibleTicks, 7);  // not reset
    EXPECT_TRUE(game().headu.Visible);    // the head picture stays

    drawEffect(1);  // grown during the invisibility: copies of the dark grey head
    EXPECT_EQ(game().vermo(13).FillColor, colors::darkGrey);
}

TEST_F(RandomEffects, ShakeStartsBothCountersAtOne)
{
    game().shakeTicks = 77;
    game().shakePhase = 4;
    drawEffect(6);
    EXPECT_TRUE(rig.tmshake.enabled());
    EXPECT_EQ(game().shakeTicks, 1);
    EXPECT_EQ(game().shakePhase, 1);
}

}  // namespace
}  // namespace vermo::testing
