// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "game/form_state.h"
#include "platform/dialogs.h"
#include "platform/folder.h"
#include "platform/program_end.h"
#include "platform/random_source.h"
#include "platform/secondary_windows.h"
#include "platform/timer.h"
#include "platform/window_frame.h"

namespace vermo {

// The services the main window works through, handed in at construction.
struct Services {
    Timer& tmscoreupdate;
    Timer& tmvermomove;
    Timer& tmshake;
    Timer& tminvisible;
    Dialogs& dialogs;
    RandomSource& random;
    WindowFrame& window;
    ProgramEnd& programEnd;
    SecondaryWindows& windows;
    // The game's folder, where its high-score table lives.
    Folder folder;
    // Keeps the window painted while a game over waits for another copy
    // to finish with the table (see ScoreFileLock::WhileWaiting).
    std::function<void(bool waiting)> whileWaitingForTable = {};
};

// Virtual key codes the key handler understands.
namespace keys {
inline constexpr int Left = 37, Up = 38, Right = 39, Down = 40, P = 80;
}

// The main window's game: its state and its procedures. It knows nothing
// of the toolkit; the shell paints from the state after every event.
class VermoGame : public FormState {
public:
    explicit VermoGame(Services services);
    VermoGame(const VermoGame&) = delete;
    VermoGame& operator=(const VermoGame&) = delete;

    // Event handlers
    void Form_Load();
    // The arrows and P work with or without Shift, so the key code is all
    // the handler needs.
    void Form_KeyDown(int keyCode);
    void cmdstart_Click();
    void tmvermomove_Timer();
    void tmshake_Timer();
    void tminvisible_Timer();
    void tmscoreupdate_Timer();
    void Newgame_Click();
    void Exit_Click();
    void High_Click();
    void Help_Click();
    void About_Click();

    // Procedures of the window
    void startgame();
    void newgames();
    void pause();
    void Place();
    void PlaceP();
    void PlaceP2();
    void Grow();
    void Shrink();
    void Effects();

    // Design intervals of the four timers.
    static constexpr int scoreUpdateInterval = 5000;
    static constexpr int designMoveInterval = 100;
    static constexpr int effectInterval = 100;

private:
    Services services_;

    // Steering
    bool acceptsArrow(int keyCode) const;
    bool isCurrentDirection(int keyCode) const;
    void applyArrow(int keyCode);
    void releaseHeldTurn();

    // Movement tick
    void selfCollisionTest();
    void wallTest();
    bool poisonTest();
    void berryTest();
    void eatBerry();
    void eatEffectBerry(int factor);
    void addToScore(long long points);
    void bodyFollow();
    void headMove();
    void moveHead(float dx, float dy);

    // High-score table
    bool readTable();
    void showBestOnPanel();
    void enterHighScore();
    void resetBoard();
    void putHeadPicturesOnHead();

    // Placement
    bool berryCellIsFree();
    bool poisonCellIsFree(const Image& item);
    bool tooCloseToHead(const Image& item) const;

    void setAllSegmentColours(Color head, Color body);
    void putWindowBackFromShake();
};

}  // namespace vermo
