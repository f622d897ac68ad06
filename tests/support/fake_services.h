// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/vermo_game.h"
#include "support/program_ends.h"

namespace vermo::testing {

// A timer that ticks only when a test says so.
class ManualTimer : public Timer {
public:
    int interval() const override { return interval_; }
    void setInterval(int ms) override { interval_ = ms; }
    bool enabled() const override { return enabled_; }
    void setEnabled(bool on) override { enabled_ = on; }

    // One tick, delivered only while the timer is enabled (and dropped
    // while its handler is still running). Returns whether it ran.
    bool tick() { return enabled_ && fire(); }

private:
    int interval_ = 0;
    bool enabled_ = false;
};

// One box as the game showed it.
struct ShownBox {
    enum Kind { Message, YesNo, Input } kind;
    std::string text;
    std::string title;  // as the game passed it; empty means the application title
    std::string defaultText;
};

// Boxes answered from a script. Each answer may run code "while the box
// is open" first (a timer tick, a file edit).
class ScriptedDialogs : public Dialogs {
public:
    struct Reply {
        std::string text;              // input box answer
        Answer answer = Answer::Yes;   // Yes/No answer
        std::function<void()> whileOpen;
    };

    void message(const std::string& text, const std::string& title) override;
    Answer askYesNo(const std::string& text, const std::string& title) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;

    void answerInput(std::string text, std::function<void()> whileOpen = {});
    void answerYesNo(Answer answer, std::function<void()> whileOpen = {});
    void onMessage(std::function<void()> whileOpen);

    std::vector<ShownBox> shown;
    // Unanswered Yes/No boxes are answered Yes; unanswered input boxes with
    // their default text.
    std::deque<Reply> inputReplies, yesNoReplies;
    std::deque<std::function<void()>> messageHooks;
    // A prompt that never takes its answer would ask for ever.
    static constexpr std::size_t maxBoxes = 1000;
};

// Random draws from a script: each value is the Rnd of one draw. An
// exhausted script repeats its last value (or 0).
class ScriptedRandom : public RandomSource {
public:
    void reseed() override { ++reseeds; }
    double next() override;

    // Queues the Rnd that gives outcome k of n (1-based).
    void queueOutcome(int k, int n) { values.push_back((k - 0.5) / n); }
    // Queues a cell for a berry: column, kind, row.
    void queueBerry(int column, int kind, int row);
    // Queues a cell for a poison item: column, row.
    void queuePoison(int column, int row);
    // Queues one random effect 1 to 6.
    void queueEffect(int effect) { queueOutcome(effect, 6); }

    std::deque<double> values;
    double last = 0.0;
    int reseeds = 0;
    int draws = 0;
};

class RecordingWindow : public WindowFrame {
public:
    int left() const override { return left_; }
    int top() const override { return top_; }
    void setLeft(int twips) override { left_ = twips; }
    void setTop(int twips) override { top_ = twips; }
    void comeToRest(int left, int top) override
    {
        top_ = top;
        left_ = left;
    }
    void setIcon(const std::string& file) override { icons.push_back(file); }

    int left_ = 1080, top_ = 675;
    std::vector<std::string> icons;
};

class CountingWindows : public SecondaryWindows {
public:
    void showHighScores() override { ++highScores; }
    void showHelp() override { ++help; }
    int highScores = 0, help = 0;
};

// A whole main window on stand-in services, in a folder of its own.
struct GameRig {
    // `accounts` say whose files are whose in the folder.
    explicit GameRig(std::filesystem::path folder,
                     std::shared_ptr<const Accounts> accounts = systemAccounts());

    ManualTimer tmscoreupdate, tmvermomove, tmshake, tminvisible;
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    RecordingWindow window;
    ThrowingProgramEnd programEnd;
    CountingWindows windows;
    std::unique_ptr<VermoGame> game;
    // Each time the game said it was waiting for the table's lock (true)
    // or had done so (false), with the number of boxes shown by then.
    struct Wait {
        bool waiting;
        std::size_t boxesShown;
    };
    std::vector<Wait> waits;
    // Run at each moment of a wait for the lock (another program's doings).
    std::function<void()> whileWaiting;

    // Timers start in their design state, as the window creates them.
    void create();
    // Creates the window and runs its load handler.
    void load();
    // Loads, clicks "Start Game" and answers the speed prompt.
    void startPlaying(const std::string& speedAnswer = "10");
    // Puts the head on a cell (position values 1..23) with its pictures.
    void putHead(int column, int row);
    // Puts the berry on a cell with a kind.
    void putBerry(int column, int row, int kind);
    // One movement tick.
    bool tick() { return tmvermomove.tick(); }

private:
    std::filesystem::path folder_;
    std::shared_ptr<const Accounts> accounts_;
};

}  // namespace vermo::testing
