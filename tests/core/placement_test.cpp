// SPDX-License-Identifier: GPL-3.0-or-later
// Where the berry and the poison items land.
#include <map>

#include "core/game_fixture.h"
#include "platform/clock_random.h"

namespace vermo::testing {
namespace {

class BerryPlacement : public GameTest {};

TEST_F(BerryPlacement, FirstPlacementAtLoadDrawsColumnKindAndRowOnce)
{
    rig.random.queueBerry(7, 3, 15);
    rig.load();
    EXPECT_EQ(game().berry.Left, 3.5f);
    EXPECT_EQ(game().berry.Top, 7.5f);
    EXPECT_EQ(game().berryKind, 3);
    EXPECT_EQ(game().berry.FillColor, colors::yellow);
    EXPECT_EQ(rig.random.draws, 3);
    EXPECT_EQ(rig.random.reseeds, 3);  // a reseed before every draw
}

TEST_F(BerryPlacement, KindsAndColours)
{
    const Color expected[] = {0, colors::red, colors::blue, colors::yellow, colors::teal,
                              colors::orange};
    load();
    for (int kind = 1; kind <= 5; ++kind) {
        rig.random.queueBerry(2, kind, 2);
        game().Place();
        EXPECT_EQ(game().berryKind, kind);
        EXPECT_EQ(game().berry.FillColor, expected[kind]);
    }
    EXPECT_EQ(colors::teal, 0x808000u);
    EXPECT_EQ(colors::orange, 0x0080FFu);
}

TEST_F(BerryPlacement, ABodyCellStartsTheWholeAttemptOverKindIncluded)
{
    load();
    growBody(2, 1, 0);  // body on columns 12 and 13 of row 11
    rig.random.queueBerry(13, 2, 11);
    rig.random.queueBerry(4, 5, 9);
    game().Place();
    EXPECT_EQ(game().berry.Left, 2.0f);
    EXPECT_EQ(game().berry.Top, 4.5f);
    EXPECT_EQ(game().berryKind, 5);
    EXPECT_EQ(game().berry.FillColor, colors::orange);
}

// A berry under a worm that has not moved yet would be eaten on the next
// tick, and the grown worm would die on its own neck on the one after.
class BerryAwayFromTheHead : public GameTest {
protected:
    // The first attempt aims at the head's cell (11, 11), the next at 3, 4.
    void aimAtTheHead()
    {
        rig.random.queueBerry(11, 1, 11);
        rig.random.queueBerry(3, 2, 4);
    }

    void expectBerryBesideTheHead()
    {
        EXPECT_FALSE(samePosition(game().berry, game().vermo(0)));
        EXPECT_EQ(game().berry.Left, gridCoordinate(3));
        EXPECT_EQ(game().berry.Top, gridCoordinate(4));
        EXPECT_EQ(game().berryKind, 2);
    }

    // Ticks with no key pressed: nothing is eaten and nobody dies.
    void expectIdleWormLives()
    {
        const std::size_t boxes = rig.dialogs.shown.size();
        for (int i = 0; i < 10; ++i)
            rig.tick();
        EXPECT_EQ(game().vermo.highest(), 0);
        EXPECT_EQ(game().score, 0);
        EXPECT_EQ(rig.dialogs.shown.size(), boxes);
    }
};

TEST_F(BerryAwayFromTheHead, AtStartUpTheBerryAvoidsTheHeadAndTheIdleWormLives)
{
    aimAtTheHead();
    rig.load();
    expectBerryBesideTheHead();
    ASSERT_TRUE(rig.tmvermomove.enabled());  // the timer runs from start-up
    expectIdleWormLives();
}

TEST_F(BerryAwayFromTheHead, ANewGameSetsTheBerryAwayFromTheHeadAndTheIdleWormLives)
{
    startPlaying();
    aimAtTheHead();
    game().Newgame_Click();  // Yes, and the default speed
    ASSERT_TRUE(rig.tmvermomove.enabled());
    expectBerryBesideTheHead();
    expectIdleWormLives();
}

TEST_F(BerryAwayFromTheHead, DuringPlayTheHeadsCellIsNeverChosenEither)
{
    load();
    growBody(2, 1, 0);
    aimAtTheHead();
    game().Place();
    expectBerryBesideTheHead();
}

TEST_F(BerryPlacement, PoisonCellsAreAvoidedOnlyOncePoisonIsPlaced)
{
    load();
    game().poison(1).Left = 3.0f;
    game().poison(1).Top = 3.0f;
    game().poison(1).Visible = true;
    rig.random.queueBerry(6, 1, 6);
    game().Place();
    EXPECT_EQ(game().berry.Left, 3.0f);  // poisonPlaced is false: ignored

    game().poisonPlaced = true;
    rig.random.queueBerry(6, 1, 6);
    rig.random.queueBerry(8, 1, 8);
    game().Place();
    EXPECT_EQ(game().berry.Left, 4.0f);
}

// Fills every cell but the listed ones with body segments.
void coverBoardExcept(VermoGame& game, std::vector<std::pair<int, int>> freeCells)
{
    int index = 0;
    for (int column = 1; column <= gridCells; ++column) {
        for (int row = 1; row <= gridCells; ++row) {
            bool isFree = false;
            for (auto [c, r] : freeCells)
                isFree = isFree || (c == column && r == row);
            if (isFree)
                continue;
            game.Grow();
            ++index;
            game.vermo(index).Left = gridCoordinate(column);
            game.vermo(index).Top = gridCoordinate(row);
        }
    }
}

TEST_F(BerryPlacement, ACrowdedBoardStillFindsTheLastFreeCell)
{
    load();
    coverBoardExcept(game(), {{17, 4}});
    rig.random.values.clear();
    rig.random.last = 0.0;  // every draw now lands on the covered corner cell
    game().Place();
    EXPECT_EQ(game().berry.Left, gridCoordinate(17));
    EXPECT_EQ(game().berry.Top, gridCoordinate(4));
}

TEST_F(BerryPlacement, AFullBoardLeavesTheBerryWhereItWas)
{
    load();
    game().berry.Left = 2.0f;
    game().berry.Top = 2.0f;
    game().berryKind = 4;
    coverBoardExcept(game(), {});
    game().Place();
    EXPECT_EQ(game().berry.Left, 2.0f);
    EXPECT_EQ(game().berry.Top, 2.0f);
    EXPECT_EQ(game().berryKind, 4);
}

TEST_F(BerryPlacement, AfterTheRetriesEveryFreeCellCanBeDrawn)
{
    load();
    coverBoardExcept(game(), {{2, 5}, {12, 12}, {20, 3}});
    for (int outcome = 1; outcome <= 3; ++outcome) {
        // Every drawing attempt lands on the covered corner, then the even
        // choice among the three free cells (in column order) draws one.
        for (int i = 0; i < 3 * 1000; ++i)
            rig.random.values.push_back(0.0);
        rig.random.queueOutcome(outcome, 3);
        rig.random.queueOutcome(4, 5);
        game().Place();
        const std::pair<int, int> expected[] = {{2, 5}, {12, 12}, {20, 3}};
        EXPECT_EQ(game().berry.Left, gridCoordinate(expected[outcome - 1].first));
        EXPECT_EQ(game().berry.Top, gridCoordinate(expected[outcome - 1].second));
        EXPECT_EQ(game().berryKind, 4);
        EXPECT_EQ(game().berry.FillColor, colors::teal);
    }
}

TEST_F(BerryPlacement, EveryFreeCellAndKindHasTheSameChance)
{
    ClockRandom realRandom;
    RecordingWindow window;
    ManualTimer a, b, c, d;
    ScriptedDialogs dialogs;
    ThrowingProgramEnd end;
    CountingWindows windows;
    VermoGame crowded(
        {a, b, c, d, dialogs, realRandom, window, end, windows, Folder::open(folder.path())});
    coverBoardExcept(crowded, {{1, 1}, {12, 12}, {23, 23}});
    std::map<std::pair<float, float>, int> cells;
    std::map<int, int> kinds;
    const int placements = 600;
    for (int i = 0; i < placements; ++i) {
        crowded.Place();
        ++cells[{crowded.berry.Left, crowded.berry.Top}];
        ++kinds[crowded.berryKind];
    }
    ASSERT_EQ(cells.size(), 3u);
    for (auto [cell, count] : cells)
        EXPECT_NEAR(count, placements / 3, 80);
    ASSERT_EQ(kinds.size(), 5u);
    for (auto [kind, count] : kinds)
        EXPECT_NEAR(count, placements / 5, 60);
}

class PoisonPlacement : public PlayingGameTest {
protected:
    Image& newest() { return game().poison(game().poisonCount); }
};

TEST_F(PoisonPlacement, FirstItemReusesTheDesignElementLaterOnesAreCopies)
{
    rig.random.queuePoison(1, 1);
    game().PlaceP();
    EXPECT_EQ(game().poisonCount, 1);
    EXPECT_EQ(game().poison.highest(), 1);
    EXPECT_TRUE(game().poisonPlaced);
    EXPECT_TRUE(game().poison(1).Visible);
    EXPECT_EQ(game().poison(1).Picture, "poison.gif");

    rig.random.queuePoison(23, 23);
    game().PlaceP();
    EXPECT_EQ(game().poison.highest(), 2);
    EXPECT_EQ(game().poison(2).Picture, "poison.gif");
    EXPECT_EQ(game().poison(2).Left, 11.5f);
    EXPECT_TRUE(game().poison(2).Visible);
    EXPECT_EQ(game().poison(1).Left, 0.5f);
}

TEST_F(PoisonPlacement, KeepsOutOfTheSevenBySevenBlockAroundTheHead)
{
    // Head on cell 11, 11. Cells 8..14 are too close on both axes.
    for (auto [column, row] : {std::pair{8, 8}, {14, 14}, {11, 11}, {14, 8}}) {
        rig.random.queuePoison(column, row);
        rig.random.queuePoison(15, 11);  // four cells to the right: allowed
        game().PlaceP();
        EXPECT_EQ(newest().Left, gridCoordinate(15));
        EXPECT_EQ(newest().Top, gridCoordinate(11));
    }
    rig.random.queuePoison(11, 7);  // four cells up on the head's column
    game().PlaceP();
    EXPECT_EQ(newest().Top, gridCoordinate(7));
    EXPECT_EQ(newest().Left, gridCoordinate(11));
}

TEST_F(PoisonPlacement, NeverOnTheBerryOrTheBody)
{
    rig.putBerry(3, 3, 1);
    growBody(2, 0, 1);
    game().vermo(2).Left = gridCoordinate(20);  // a body segment far from the head
    game().vermo(2).Top = gridCoordinate(20);
    rig.random.queuePoison(3, 3);
    rig.random.queuePoison(20, 20);
    rig.random.queuePoison(2, 20);
    game().PlaceP();
    EXPECT_EQ(newest().Left, 1.0f);
    EXPECT_EQ(newest().Top, 10.0f);
}

TEST_F(PoisonPlacement, TwoItemsMayShareACell)
{
    rig.random.queuePoison(2, 2);
    game().PlaceP();
    rig.random.queuePoison(2, 2);
    game().PlaceP();
    EXPECT_TRUE(samePosition(game().poison(1), game().poison(2)));
}

TEST_F(PoisonPlacement, NoFreeCellLeavesTheItemHiddenAndHarmless)
{
    coverBoardExcept(game(), {{11, 11}});  // only the head's own cell
    game().PlaceP();
    EXPECT_EQ(game().poisonCount, 1);
    EXPECT_FALSE(game().poison(1).Visible);
    while (game().vermo.highest() > 0)
        game().vermo.unloadHighest();
    game().vermo(0).Left = game().poison(1).Left;  // right on the hidden item
    game().vermo(0).Top = game().poison(1).Top;
    rig.putBerry(1, 1, 1);
    rig.tick();
    EXPECT_EQ(boxesShown(ShownBox::YesNo), 0);
}

}  // namespace
}  // namespace vermo::testing
