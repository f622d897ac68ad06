// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/fake_services.h"
#include "support/score_builders.h"
#include "support/temp_folder.h"

namespace vermo::testing {

// A main window on stand-in services in a folder of its own, with a
// complete high-score file so start-up shows no message.
class GameTest : public ::testing::Test {
protected:
    TempFolder folder;
    GameRig rig{folder.path()};
    VermoGame& game() { return *rig.game; }

    void SetUp() override { folder.write("topten.dll", tenRecordsOf()); }

    // Loads with the first berry in the top left corner, out of the way.
    void load()
    {
        rig.random.queueBerry(1, 1, 1);
        rig.load();
    }

    // Loads and starts a game at the given speed.
    void startPlaying(const std::string& speed = "10")
    {
        rig.random.queueBerry(1, 1, 1);
        rig.startPlaying(speed);
    }

    void press(int keyCode) { game().Form_KeyDown(keyCode); }

    // Adds body segments behind the head, each one cell further along dx, dy.
    void growBody(int segments, int dx, int dy)
    {
        for (int i = 1; i <= segments; ++i) {
            game().Grow();
            game().vermo(i).Left = game().vermo(0).Left + cellStep * static_cast<float>(dx * i);
            game().vermo(i).Top = game().vermo(0).Top + cellStep * static_cast<float>(dy * i);
        }
    }

    int boxesShown(ShownBox::Kind kind) const
    {
        int count = 0;
        for (const auto& box : rig.dialogs.shown)
            count += box.kind == kind;
        return count;
    }
};

// The same with a game started at speed 10.
class PlayingGameTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        startPlaying();
    }

    // The effect a berry's draw would give.
    void drawEffect(int effect)
    {
        rig.random.queueEffect(effect);
        game().Effects();
    }
};

}  // namespace vermo::testing
