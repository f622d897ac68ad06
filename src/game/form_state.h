// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game/controls.h"
#include "scores/score_file.h"

namespace vermo {

// Everything the main window holds: its controls with their design-time
// values and the game variables. Every variable starts at zero, false or
// empty; the load procedure sets the rest.
struct FormState {
    FormState();

    // Window
    std::string Caption = "Vermo";
    Color BackColor = colors::black;

    // Controls
    CommandButton cmdstart{"Start Game", true, true};
    Line lborder, rborder, dborder, uborder;
    ControlArray<Image> poison;
    Image headd, headl, headr, headu;
    Label Label4{"Set By:"}, Label3{"High Score"}, Label2{"Score"}, Label1{"Speed"};
    Label lblhighname{"0"}, lblhighscore{"0"}, lblspeed{"0"}, lblscore{"0"};
    Circle berry;
    ControlArray<Circle> vermo;

    // Direction of travel: at most one is true; none means standing still.
    bool movingRight = false, movingLeft = false, movingDown = false, movingUp = false;
    std::int32_t score = 0;
    // Axis of the last accepted direction (both true at the start).
    bool onHorizontalAxis = false, onVerticalAxis = false;
    bool paused = false;
    std::string speedAnswer;
    std::int16_t speed = 0;
    std::int16_t moveInterval = 0;
    bool berryEaten = false;
    std::uint8_t berryKind = 0;
    std::int16_t berryScanIndex = 0;
    bool poisonPlaced = false;
    std::int16_t poisonCount = 0;
    std::int16_t poisonScanIndex = 0;
    std::uint8_t shakePhase = 0;
    std::int16_t shakeTicks = 0;
    // Where the window stood, in twips, when the shake that still runs (or
    // is paused) began; empty while no shake has moved it (D-57).
    struct WindowSpot {
        int left, top;
    };
    std::optional<WindowSpot> windowBeforeShake;
    std::int16_t invisibleTicks = 0;
    // Element 1: the invisibility timer ran when the pause began;
    // element 2: the shake timer did. Element 0 is unused.
    std::array<bool, 3> timerWasOn{};
    ScoreTable high;  // highNames / highScores

    // Loop indices shared between procedures.
    std::int16_t segmentIndex = 0, collisionIndex = 0;
    std::int16_t unloadIndex = 0, unloadTop = 0, poisonUnloadIndex = 0;

    // Tight turns (D-03): a step taken since the last accepted arrow, and
    // the turn that waits for the next step.
    bool movedSinceTurn = true;
    std::int16_t heldTurn = 0;

    // While the name prompt waits, the panel leaves the table alone (D-23).
    bool highScoreEntryPending = false;
    // The high-score file is there but could not be read: it is left as it
    // is, and nothing is written over it until it reads again.
    bool scoreFileLeftAlone = false;
};

}  // namespace vermo
