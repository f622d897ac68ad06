// SPDX-License-Identifier: GPL-3.0-or-later
// The random effects of the blue and teal berries, and the two timers
// that run the lasting ones: the shaking window and the invisible body.
#include "game/vermo_game.h"

namespace vermo {

namespace {
constexpr int effectSegments = 10;
constexpr int penaltyThreshold = 300;
constexpr int scoreSwing = 150;
constexpr int shakeStep = 300;
// The shake ends at the end of the first whole cycle past 200 ticks.
constexpr int shakeTickLimit = 200;
constexpr int invisibleTickLimit = 25;
}  // namespace

void VermoGame::Effects()
{
    switch (drawOneTo(services_.random, 6)) {
    case 1:  // growth
        for (int i = 0; i < effectSegments; ++i)
            Grow();
        break;
    case 2:  // penalty, only for a score above 300
        if (score > penaltyThreshold)
            addToScore(-scoreSwing);
        break;
    case 3:  // bonus
        addToScore(scoreSwing);
        break;
    case 4:  // shrinking
        for (int i = 0; i < effectSegments; ++i)
            Shrink();
        break;
    case 5:  // invisibility: a dark grey head, a black body on the black field
        setAllSegmentColours(colors::darkGrey, colors::black);
        services_.tminvisible.setEnabled(true);
        break;
    case 6:  // shake
        // A shake drawn again while one runs starts afresh from where the
        // first found the window, so shakes never add up (D-57).
        if (windowBeforeShake)
            services_.window.comeToRest(windowBeforeShake->left, windowBeforeShake->top);
        else
            windowBeforeShake = WindowSpot{services_.window.left(), services_.window.top()};
        services_.tmshake.setEnabled(true);
        shakeTicks = 1;
        shakePhase = 1;
        break;
    default:
        break;
    }
}

// Six steps a cycle, back at the starting point after every sixth tick.
void VermoGame::tmshake_Timer()
{
    WindowFrame& window = services_.window;
    switch (shakePhase) {
    case 1: window.setLeft(window.left() - shakeStep); shakePhase = 2; break;
    case 2: window.setTop(window.top() - shakeStep); shakePhase = 3; break;
    case 3: window.setLeft(window.left() + 2 * shakeStep); shakePhase = 4; break;
    case 4: window.setTop(window.top() + 2 * shakeStep); shakePhase = 5; break;
    case 5: window.setLeft(window.left() - shakeStep); shakePhase = 6; break;
    case 6: window.setTop(window.top() - shakeStep); shakePhase = 1; break;
    default: break;
    }
    ++shakeTicks;
    if (shakePhase == 1 && shakeTicks > shakeTickLimit) {
        services_.tmshake.setEnabled(false);
        putWindowBackFromShake();
    }
}

// The window goes back where the shake found it; one the player has put
// somewhere, with no shake since, stays there (D-57).
void VermoGame::putWindowBackFromShake()
{
    if (!windowBeforeShake)
        return;
    services_.window.comeToRest(windowBeforeShake->left, windowBeforeShake->top);
    windowBeforeShake.reset();
}

// The counter is never reset when an invisibility starts or ends, so only
// the first one of a game lasts its full length.
void VermoGame::tminvisible_Timer()
{
    if (invisibleTicks < invisibleTickLimit) {
        ++invisibleTicks;
        return;
    }
    services_.tminvisible.setEnabled(false);
    setAllSegmentColours(colors::wormGreen, colors::wormGreen);
}

}  // namespace vermo
