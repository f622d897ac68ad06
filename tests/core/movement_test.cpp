// SPDX-License-Identifier: GPL-3.0-or-later
// The movement tick: the worm steps one cell, the body follows, and the
// walls, the worm's own body and poison end the game.
#include "core/game_fixture.h"

namespace vermo::testing {
namespace {

class MovementTick : public GameTest {};

TEST_F(MovementTick, WithoutDirectionNothingMovesButTheTimerRuns)
{
    load();
    EXPECT_TRUE(rig.tmvermomove.enabled());
    EXPECT_EQ(rig.tmvermomove.interval(), 100);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(rig.tick());
    EXPECT_EQ(game().vermo(0).Left, 5.5f);
    EXPECT_EQ(game().vermo(0).Top, 5.5f);
}

TEST_F(MovementTick, HeadStepsHalfACentimetreWithAllFourPictures)
{
    startPlaying();
    press(keys::Right);
    rig.tick();
    EXPECT_EQ(game().vermo(0).Left, 6.0f);
    EXPECT_EQ(game().vermo(0).Top, 5.5f);
    for (const Image* picture : {&game().headu, &game().headd, &game().headl, &game().headr}) {
        EXPECT_EQ(picture->Left, 6.0f);
        EXPECT_EQ(picture->Top, 5.5f);
    }
    press(keys::Down);
    rig.tick();
    EXPECT_EQ(game().vermo(0).Top, 6.0f);
    EXPECT_EQ(game().headr.Top, 6.0f);
    EXPECT_TRUE(game().headd.Visible);
    EXPECT_FALSE(game().headr.Visible);
}

TEST_F(MovementTick, BodyFollowsTheHeadCellByCell)
{
    startPlaying();
    growBody(3, -1, 0);  // body at 5.0, 4.5, 4.0 on row 5.5
    game().berryEaten = true;
    press(keys::Up);
    rig.tick();
    EXPECT_EQ(game().vermo(0).Top, 5.0f);
    EXPECT_EQ(game().vermo(1).Left, 5.5f);
    EXPECT_EQ(game().vermo(1).Top, 5.5f);
    EXPECT_EQ(game().vermo(2).Left, 5.0f);
    EXPECT_EQ(game().vermo(3).Left, 4.5f);
    rig.tick();
    EXPECT_EQ(game().vermo(1).Top, 5.0f);
    EXPECT_EQ(game().vermo(2).Left, 5.5f);
    EXPECT_EQ(game().vermo(2).Top, 5.5f);
    EXPECT_EQ(game().vermo(3).Left, 5.0f);
}

TEST_F(MovementTick, WallCellsInsideAndOutside)
{
    struct Case {
        int key, column, row;
    };
    // Column or row 1 and 23 are the border cells (0.5 and 11.5 cm).
    for (Case c : {Case{keys::Left, 1, 12}, Case{keys::Right, 23, 12}, Case{keys::Up, 12, 1},
                   Case{keys::Down, 12, 23}}) {
        SCOPED_TRACE(c.key);
        TempFolder own;
        own.write("topten.dll", tenRecordsOf());
        GameRig r(own.path());
        r.random.queueBerry(2, 1, 2);
        r.startPlaying("10");
        r.putHead(c.column, c.row);
        r.game->Form_KeyDown(c.key);
        r.tick();  // judged inside, then steps out to 0.0 or 12.0
        EXPECT_TRUE(r.game->vermo(0).Visible);
        const float outside = (c.key == keys::Left || c.key == keys::Up) ? 0.0f : 12.0f;
        const bool horizontal = c.key == keys::Left || c.key == keys::Right;
        EXPECT_EQ(horizontal ? r.game->vermo(0).Left : r.game->vermo(0).Top, outside);
        EXPECT_TRUE(r.dialogs.shown.size() == 1);  // only the speed prompt so far

        r.dialogs.answerYesNo(Answer::No);
        EXPECT_THROW(r.tick(), ProgramEnded);
        EXPECT_FALSE(r.tmvermomove.enabled());
        EXPECT_FALSE(r.game->vermo(0).Visible);  // hidden before the game over
        EXPECT_EQ(r.dialogs.shown.back().text, "New Game?");
    }
}

// After "New Game?" is answered Yes, the tick that found the game over
// goes on with the new board. The new game's berry, first drawn on the
// start cell, lands beside it, and the standing worm eats nothing.
void queueNewGameBerryAimedAtTheStartCell(ScriptedRandom& random)
{
    random.queueBerry(11, 1, 11);  // the start cell 5.5, 5.5: drawn again
    random.queueBerry(12, 1, 11);  // the cell to its right
}

void expectNewGameUntouched(VermoGame& game)
{
    EXPECT_EQ(game.berry.Left, gridCoordinate(12));
    EXPECT_EQ(game.berry.Top, gridCoordinate(11));
    EXPECT_FALSE(game.berryEaten);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.vermo.highest(), 0);
}

TEST_F(MovementTick, WallGameOverSetsUpTheNextGameInsideTheTick)
{
    startPlaying();
    rig.putHead(1, 12);
    press(keys::Left);
    rig.tick();
    queueNewGameBerryAimedAtTheStartCell(rig.random);
    rig.tick();  // game over, Yes, speed 10 again, then the rest of the tick
    EXPECT_TRUE(game().vermo(0).Visible);
    EXPECT_EQ(game().vermo(0).Left, 5.5f);
    EXPECT_EQ(game().vermo(0).Top, 5.5f);
    EXPECT_TRUE(rig.tmvermomove.enabled());
    EXPECT_FALSE(game().movingLeft);
    EXPECT_TRUE(game().headu.Visible);
    expectNewGameUntouched(game());
}

TEST_F(MovementTick, ReversalWithTwoBodySegmentsRunsIntoTheBody)
{
    startPlaying();
    growBody(2, -1, 0);
    press(keys::Right);
    rig.tick();
    // Before the first berry a single key may reverse the worm.
    press(keys::Left);
    rig.tick();  // the head steps back onto the cell the second segment now holds
    EXPECT_TRUE(samePosition(game().vermo(0), game().vermo(2)));
    EXPECT_EQ(boxesShown(ShownBox::YesNo), 0);
    rig.dialogs.answerYesNo(Answer::No);
    EXPECT_THROW(rig.tick(), ProgramEnded);
    EXPECT_EQ(rig.dialogs.shown.back().text, "New Game?");
}

TEST_F(MovementTick, ReversalWithOneBodySegmentSimplyTurnsBack)
{
    startPlaying();
    growBody(1, -1, 0);
    press(keys::Right);
    rig.tick();
    press(keys::Left);
    rig.tick();
    rig.tick();
    EXPECT_EQ(boxesShown(ShownBox::YesNo), 0);
    EXPECT_EQ(game().vermo(0).Left, 5.0f);
}

TEST_F(MovementTick, SelfCollisionGameOverEndsTheScanAndTheTickGoesOn)
{
    startPlaying();
    growBody(4, -1, 0);
    game().vermo(3).Left = game().vermo(0).Left;  // a segment under the head
    game().vermo(3).Top = game().vermo(0).Top;
    game().vermo(4).Left = game().vermo(0).Left;  // and another one
    game().vermo(4).Top = game().vermo(0).Top;
    queueNewGameBerryAimedAtTheStartCell(rig.random);
    rig.tick();
    EXPECT_EQ(boxesShown(ShownBox::YesNo), 1);  // one game over, not two
    EXPECT_EQ(game().collisionIndex, -1);
    EXPECT_TRUE(rig.tmvermomove.enabled());
    expectNewGameUntouched(game());
}

TEST_F(MovementTick, PoisonEndsTheTickBeforeAnythingMoves)
{
    startPlaying();
    press(keys::Right);
    growBody(2, -1, 0);
    game().poisonPlaced = true;
    game().poison(1).Left = 5.5f;
    game().poison(1).Top = 5.5f;
    game().poison(1).Visible = true;
    queueNewGameBerryAimedAtTheStartCell(rig.random);
    rig.dialogs.answerYesNo(Answer::Yes);
    rig.tick();
    EXPECT_EQ(boxesShown(ShownBox::YesNo), 1);
    // This tick ended with the poison: nothing was eaten and nothing moved.
    expectNewGameUntouched(game());
    EXPECT_EQ(game().vermo(0).Left, 5.5f);
    EXPECT_EQ(game().vermo(0).Top, 5.5f);
}

TEST_F(MovementTick, PoisonIsHarmlessWhilePoisonPlacedIsFalse)
{
    startPlaying();
    game().poison(1).Left = 5.5f;
    game().poison(1).Top = 5.5f;
    game().poison(1).Visible = true;
    rig.tick();
    EXPECT_EQ(boxesShown(ShownBox::YesNo), 0);
}

TEST_F(MovementTick, TwoPoisonItemsOnOneCellEndTheGameOnce)
{
    startPlaying();
    game().poisonPlaced = true;
    game().poisonCount = 2;
    game().poison.loadNext();
    for (int i = 1; i <= 2; ++i) {
        game().poison(i).Left = 5.5f;
        game().poison(i).Top = 5.5f;
        game().poison(i).Visible = true;
    }
    rig.random.queueBerry(9, 2, 9);
    rig.tick();
    EXPECT_EQ(boxesShown(ShownBox::YesNo), 1);
    EXPECT_EQ(game().poison.highest(), 1);
    EXPECT_FALSE(game().poison(1).Visible);
}

TEST_F(MovementTick, ATickIsNeverEnteredAgainWhileItsBoxIsOpen)
{
    startPlaying();
    rig.putHead(1, 12);
    press(keys::Left);
    rig.tick();
    bool nestedTickRan = true;
    bool panelTickRan = false;
    rig.dialogs.answerYesNo(Answer::Yes, [&] {
        rig.tmvermomove.setEnabled(true);
        nestedTickRan = rig.tick();
        panelTickRan = rig.tmscoreupdate.tick();
    });
    rig.tick();
    EXPECT_FALSE(nestedTickRan);
    EXPECT_TRUE(panelTickRan);
}

}  // namespace
}  // namespace vermo::testing
