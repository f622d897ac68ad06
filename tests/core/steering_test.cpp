// SPDX-License-Identifier: GPL-3.0-or-later
// Arrow keys under the axis rules, tight turns, and the pause.
#include "core/game_fixture.h"

namespace vermo::testing {
namespace {

class Steering : public PlayingGameTest {
protected:
    // One step, so the next key is not held back as a second quick turn.
    void step() { rig.tick(); }
    const Image* visibleHead()
    {
        const Image* shown = nullptr;
        for (const Image* picture : {&game().headu, &game().headd, &game().headl, &game().headr}) {
            if (picture->Visible) {
                EXPECT_EQ(shown, nullptr) << "more than one head picture visible";
                shown = picture;
            }
        }
        return shown;
    }
};

TEST_F(Steering, FirstKeyOfAGameIsAcceptedInEveryDirection)
{
    for (int key : {keys::Left, keys::Up, keys::Right, keys::Down}) {
        TempFolder own;
        own.write("topten.dll", tenRecordsOf());
        GameRig r(own.path());
        r.startPlaying("10");
        r.game->Form_KeyDown(key);
        EXPECT_EQ(r.game->movingLeft, key == keys::Left);
        EXPECT_EQ(r.game->movingUp, key == keys::Up);
        EXPECT_EQ(r.game->movingRight, key == keys::Right);
        EXPECT_EQ(r.game->movingDown, key == keys::Down);
    }
}

TEST_F(Steering, EachDirectionShowsItsOwnHeadPicture)
{
    EXPECT_EQ(visibleHead(), &game().headu);
    press(keys::Right);
    EXPECT_EQ(visibleHead(), &game().headr);
    EXPECT_TRUE(game().onHorizontalAxis);
    EXPECT_FALSE(game().onVerticalAxis);
    step();
    press(keys::Down);
    EXPECT_EQ(visibleHead(), &game().headd);
    EXPECT_FALSE(game().onHorizontalAxis);
    EXPECT_TRUE(game().onVerticalAxis);
    step();
    press(keys::Left);
    EXPECT_EQ(visibleHead(), &game().headl);
    step();
    press(keys::Up);
    EXPECT_EQ(visibleHead(), &game().headu);
}

TEST_F(Steering, BeforeTheFirstBerryASingleKeyReverses)
{
    press(keys::Right);
    step();
    press(keys::Left);
    EXPECT_TRUE(game().movingLeft);
    EXPECT_FALSE(game().movingRight);
    step();
    EXPECT_EQ(game().vermo(0).Left, 5.5f);  // one step right, one back
}

TEST_F(Steering, AfterTheFirstBerryOnlyQuarterTurns)
{
    game().berryEaten = true;
    press(keys::Right);
    step();
    press(keys::Left);
    EXPECT_TRUE(game().movingRight);
    EXPECT_EQ(visibleHead(), &game().headr);
    press(keys::Right);
    EXPECT_TRUE(game().movingRight);
    press(keys::Up);
    EXPECT_TRUE(game().movingUp);
    step();
    press(keys::Down);
    EXPECT_TRUE(game().movingUp);
    press(keys::Left);
    EXPECT_TRUE(game().movingLeft);
}

TEST_F(Steering, OtherKeysAreIgnored)
{
    press(keys::Right);
    step();
    for (int key : {0, 13, 27, 32, 65, 81, 112})
        press(key);
    EXPECT_TRUE(game().movingRight);
    EXPECT_FALSE(game().paused);
}

TEST_F(Steering, QuickUTurnGoesUpOneCellThenLeft)
{
    game().berryEaten = true;
    growBody(3, -1, 0);
    press(keys::Right);
    step();  // head 6.0, 5.5
    press(keys::Up);
    press(keys::Left);  // a second turn before the next step waits for it
    EXPECT_TRUE(game().movingUp);
    step();
    EXPECT_EQ(game().vermo(0).Left, 6.0f);
    EXPECT_EQ(game().vermo(0).Top, 5.0f);
    EXPECT_TRUE(game().movingLeft);
    EXPECT_EQ(visibleHead(), &game().headl);
    step();
    EXPECT_EQ(game().vermo(0).Left, 5.5f);
    EXPECT_EQ(game().vermo(0).Top, 5.0f);
    step();
    EXPECT_EQ(boxesShown(ShownBox::YesNo), 0);
}

TEST_F(Steering, HeldTurnIsJudgedByTheRulesWhenItIsTaken)
{
    game().berryEaten = true;
    press(keys::Right);
    step();
    press(keys::Up);
    press(keys::Right);  // waits; after the step up it is a quarter turn again
    step();
    EXPECT_TRUE(game().movingRight);
    press(keys::Down);  // the right turn was taken right after the step: this one waits
    press(keys::Left);  // a reversal is refused at once and leaves the waiting turn alone
    step();
    EXPECT_TRUE(game().movingDown);
}

TEST_F(Steering, HeldReversalIsRefusedOnceTheFirstBerryIsEaten)
{
    press(keys::Right);
    step();                  // head on 6.0, 5.5
    rig.putBerry(12, 11, 5);  // under the head: eaten at the next step
    rig.random.queuePoison(1, 23);
    rig.random.queueBerry(23, 1, 1);
    press(keys::Up);
    press(keys::Down);  // a reversal, accepted while no berry is eaten: waits
    step();
    EXPECT_TRUE(game().berryEaten);
    EXPECT_TRUE(game().movingUp);  // after the berry the waiting reversal is refused
    EXPECT_EQ(game().vermo(0).Top, 5.0f);
}

TEST_F(Steering, OnlyTheLastWaitingTurnIsKept)
{
    game().berryEaten = true;
    press(keys::Right);
    step();
    press(keys::Up);
    press(keys::Left);
    press(keys::Right);
    step();
    EXPECT_TRUE(game().movingRight);
}

TEST_F(Steering, CurrentDirectionKeyDoesNotDelayTheNextTurn)
{
    press(keys::Right);
    step();             // head on 6.0, 5.5
    press(keys::Right);  // auto-repeat of the key held down: changes nothing
    press(keys::Up);
    step();
    EXPECT_EQ(game().vermo(0).Left, 6.0f);
    EXPECT_EQ(game().vermo(0).Top, 5.0f);
}

TEST_F(Steering, ANewGameForgetsTheTurnsOfTheOldOne)
{
    press(keys::Right);  // clears the mark of a step; no step follows
    game().Newgame_Click();
    press(keys::Up);     // the new game's first key is taken at once
    EXPECT_TRUE(game().movingUp);
    EXPECT_EQ(game().heldTurn, 0);
}

TEST_F(Steering, AnEffectPausedInTheOldGameStaysOffInTheNewOne)
{
    rig.tmshake.setEnabled(true);
    press(keys::P);
    game().Newgame_Click();
    press(keys::P);
    press(keys::P);
    EXPECT_FALSE(rig.tmshake.enabled());
    EXPECT_TRUE(rig.tmvermomove.enabled());
}

TEST_F(Steering, PauseStopsMovementAndEffectsAndResumeRestoresOnlyThoseThatRan)
{
    press(keys::Right);
    rig.tmshake.setEnabled(true);
    press(keys::P);
    EXPECT_TRUE(game().paused);
    EXPECT_FALSE(rig.tmvermomove.enabled());
    EXPECT_FALSE(rig.tmshake.enabled());
    EXPECT_FALSE(rig.tminvisible.enabled());
    EXPECT_TRUE(rig.tmscoreupdate.enabled());
    EXPECT_FALSE(rig.tick());

    for (int key : {keys::Up, keys::Down, keys::Left, keys::Right}) {
        press(key);  // ignored while paused
        EXPECT_TRUE(game().movingRight) << key;
        EXPECT_EQ(game().heldTurn, 0) << key;
    }

    press(keys::P);
    EXPECT_FALSE(game().paused);
    EXPECT_TRUE(rig.tmvermomove.enabled());
    EXPECT_TRUE(rig.tmshake.enabled());
    EXPECT_FALSE(rig.tminvisible.enabled());
    EXPECT_FALSE(game().timerWasOn[1]);
    EXPECT_FALSE(game().timerWasOn[2]);
}

TEST_F(Steering, PauseKeepsTheEffectCountersWhereTheyStopped)
{
    rig.tminvisible.setEnabled(true);
    game().invisibleTicks = 10;
    press(keys::P);
    EXPECT_FALSE(rig.tminvisible.tick());
    press(keys::P);
    EXPECT_TRUE(rig.tminvisible.enabled());
    EXPECT_EQ(game().invisibleTicks, 10);
}

}  // namespace
}  // namespace vermo::testing
