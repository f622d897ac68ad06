// What must be painted again after a change of the board.
#include "core/game_fixture.h"
#include "game/scene_changes.h"

namespace vermo::testing {
namespace {

class SceneChanges : public GameTest {
protected:
    std::vector<ShownSprite> changesAcross(const std::function<void()>& change)
    {
        ShownScene before, after;
        before.takeFrom(game());
        change();
        after.takeFrom(game());
        std::vector<ShownSprite> changed;
        spritesThatDiffer(before, after, changed);
        return changed;
    }
};

TEST_F(SceneChanges, AStepOfALongWormChangesOnlyTheHeadAndTheTailCells)
{
    startPlaying();
    game().berryEaten = true;
    growBody(300, -1, 0);
    for (int i = 151; i <= 300; ++i) {  // fold the worm so it fits the field
        game().vermo(i).Left = game().vermo(150).Left;
        game().vermo(i).Top = game().vermo(150).Top;
    }
    press(keys::Up);
    const auto changed = changesAcross([&] { rig.tick(); });
    // The head disc on its new cell (the neck now covers the old one), the
    // head picture gone from the old cell and shown on the new one, and one
    // disc fewer on the tail's stacked cell.
    EXPECT_EQ(changed.size(), 4u);
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
              2u * 4u);  // four discs, each gone in green and back in grey or black
    EXPECT_EQ(changesAcross([&] { press(keys::Right); }).size(), 2u);  // one picture for another
}

}  // namespace
}  // namespace vermo::testing
