// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "game/vermo_game.h"
#include "platform/clock_random.h"

namespace vermo::bench {

// A timer that never ticks by itself: the benchmark calls fire().
class HandTimer : public Timer {
public:
    int interval() const override { return interval_; }
    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    bool enabled() const override { return enabled_; }
    void setEnabled(bool on) override { enabled_ = on; }

private:
    int interval_ = 0;
    bool enabled_ = false;
};

// A timed loop must never open a box: a box means the game ended or
// something went wrong, and the figure would be meaningless. Any box
// stops the process with its text.
class NoBoxes : public Dialogs {
public:
    void message(const std::string& text, const std::string& title = {}) override;
    Answer askYesNo(const std::string& text, const std::string& title = {}) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;
};

class StillFrame : public WindowFrame {
public:
    int left() const override { return left_; }
    int top() const override { return top_; }
    void setLeft(int twips) override { left_ = twips; }
    void setTop(int twips) override { top_ = twips; }
    void setIcon(const std::string&) override {}

private:
    int left_ = homeLeftTwips, top_ = homeTopTwips;
};

// Nothing in a benchmark may end the program.
class NoProgramEnd : public ProgramEnd {
public:
    [[noreturn]] void endNow() override;
};

class NoWindows : public SecondaryWindows {
public:
    void showHighScores() override {}
    void showHelp() override {}
};

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Copies the game's pictures, icon and help text in.
    void copyAssets(const std::filesystem::path& assets) const;
    // Makes a file with the given bytes.
    void write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
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

// A main window's game on the stand-ins above and the real clock-seeded
// random generator, in a scratch folder, loaded as at start-up.
struct BenchGame {
    BenchGame();

    ScratchFolder folder;
    HandTimer tmscoreupdate, tmvermomove, tmshake, tminvisible;
    NoBoxes dialogs;
    CountingRandom random;
    StillFrame frame;
    NoProgramEnd programEnd;
    NoWindows windows;
    std::unique_ptr<VermoGame> game;
};

}  // namespace vermo::bench
