// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "game/vermo_game.h"
#include "platform/clock_random.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

// What the benchmarks add to the tests' doubles (tests/support): a timed
// loop must never open a box or end the program, and draws the real
// clock-seeded random numbers.
namespace vermo::bench {

using testing::TempFolder;

// A box means the game ended or something went wrong, and the figure
// would be meaningless: any box stops the process with its text.
class NoBoxes : public Dialogs {
public:
    void message(const std::string& text, const std::string& title = {}) override;
    Answer askYesNo(const std::string& text, const std::string& title = {}) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;
};

// Nothing in a benchmark may end the program.
class NoProgramEnd : public ProgramEnd {
public:
    [[noreturn]] void endNow() override;
};

// The real clock-seeded generator, counting its draws.
class CountingRandom : public ClockRandom {
public:
    double next() override
    {
        ++draws;
        return ClockRandom::next();
    }
    long long draws = 0;
};

// The game's pictures, icon and help text copied in, and the table a first
// start writes: a game started there opens no box.
void makeGameFolder(const TempFolder& folder, const std::filesystem::path& assets);

// A main window's game on the doubles above, in a temporary folder, loaded
// as at start-up.
struct BenchGame {
    BenchGame();

    TempFolder folder;
    testing::ManualTimer tmscoreupdate, tmvermomove, tmshake, tminvisible;
    NoBoxes dialogs;
    CountingRandom random;
    testing::RecordingWindow frame;
    NoProgramEnd programEnd;
    testing::CountingWindows windows;
    std::unique_ptr<VermoGame> game;
};

}  // namespace vermo::bench
