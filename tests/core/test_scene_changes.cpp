// SPDX-License-Identifier: GPL-3.0-or-later
// Which cells of the playfield must be painted again after a change.
#include "core/game_fixture.h"
#include "game/scene_changes.h"

namespace vermo::testing {
namespace {

class SceneChanges : public GameTest {
protected:
    std::vector<CellPosition> changesAcross(const std::function<void()>& change)
    {
        before.takeFrom(game());
        change();
        after.takeFrom(game());
        std::vector<CellPosition> changed;
        cellsThatDiffer(before, after, changed);
        return changed;
    }
    ShownCells before, after;
};

TEST_F(SceneChanges, AStepOfALongWormChangesOnlyTheHeadAndTailCells)
{
    startPlaying();
    game().berryEaten = true;
    growBody(300, -1, 0);
    for (int i = 11; i <= 300; ++i) {  // the rest of the worm stacked on one cell
        game().vermo(i).Left = game().vermo(10).Left;
        game().vermo(i).Top = game().vermo(10).Top;
    }
    press(keys::Up);
    const auto changed = changesAcross([&] { rig.tick(); });
    // The new head cell, the old one (its head picture left; the neck took
    // the disc), and the tail's stack, one disc lower.
    EXPECT_EQ(changed.size(), 3u);
    EXPECT_TRUE(after.onGrid());
    const std::vector<CellPosition> expected{{11, 10}, {1, 11}, {11, 11}};
    for (const auto& cell : expected)
        EXPECT_NE(std::find(changed.begin(), changed.end(), cell), changed.end())
            << cell.column << "," << cell.row;
}

TEST_F(SceneChanges, NothingChangesWhileTheWormStandsStill)
{
    load();
    EXPECT_TRUE(changesAcross([&] { rig.tick(); }).empty());
    EXPECT_TRUE(changesAcross([&] { rig.tmscoreupdate.tick(); }).empty());
}

TEST_F(SceneChanges, RecolouringAndTurningAreSeen)
{
    startPlaying();
    growBody(3, -1, 0);
    EXPECT_EQ(changesAcross([&] {
                  rig.random.queueEffect(5);
                  game().Effects();
              }).size(),
              4u);  // head and three body cells recoloured
    EXPECT_EQ(changesAcross([&] { press(keys::Right); }).size(), 1u);  // another head picture
}

TEST_F(SceneChanges, AHeadBeyondTheWallIsStillOnTheGrid)
{
    startPlaying();
    rig.putHead(1, 11);
    press(keys::Left);
    const auto changed = changesAcross([&] { rig.tick(); });
    EXPECT_TRUE(after.onGrid());
    EXPECT_NE(std::find(changed.begin(), changed.end(), CellPosition{0, 11}), changed.end());
}

TEST_F(SceneChanges, AnythingOffTheGridMakesTheWholeFieldChange)
{
    load();
    game().poison(1).Visible = true;  // still at its design place, between cells
    after.takeFrom(game());
    EXPECT_FALSE(after.onGrid());
}

}  // namespace
}  // namespace vermo::testing
