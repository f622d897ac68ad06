// SPDX-License-Identifier: GPL-3.0-or-later
// The arrow keys and P. The key handler never moves anything: it sets the
// direction flags the next movement tick reads and shows the head picture
// of the new direction.
#include "game/vermo_game.h"

namespace vermo {

namespace {
bool isArrow(int keyCode)
{
    return keyCode == keys::Left || keyCode == keys::Up || keyCode == keys::Right
        || keyCode == keys::Down;
}
}  // namespace

void VermoGame::Form_KeyDown(int keyCode)
{
    // The key of the current direction changes nothing (D-04).
    if (isArrow(keyCode) && acceptsArrow(keyCode) && !isCurrentDirection(keyCode)) {
        // A turn pressed before the worm has moved since the last one waits
        // for the next step, or the head would turn onto its neck (D-03).
        if (movedSinceTurn)
            applyArrow(keyCode);
        else
            heldTurn = static_cast<std::int16_t>(keyCode);
    }
    if (keyCode == keys::P)
        pause();
}

// Once a berry has been eaten only quarter turns are accepted; before it,
// a key along the current axis (a reversal) is accepted too. Nothing is
// accepted while the game is paused.
bool VermoGame::acceptsArrow(int keyCode) const
{
    if (paused)
        return false;
    if (keyCode == keys::Left || keyCode == keys::Right)
        return onVerticalAxis || !berryEaten;
    return onHorizontalAxis || !berryEaten;
}

bool VermoGame::isCurrentDirection(int keyCode) const
{
    return (keyCode == keys::Right && movingRight) || (keyCode == keys::Left && movingLeft)
        || (keyCode == keys::Up && movingUp) || (keyCode == keys::Down && movingDown);
}

void VermoGame::applyArrow(int keyCode)
{
    movingRight = keyCode == keys::Right;
    movingLeft = keyCode == keys::Left;
    movingUp = keyCode == keys::Up;
    movingDown = keyCode == keys::Down;
    onHorizontalAxis = movingRight || movingLeft;
    onVerticalAxis = movingUp || movingDown;
    headr.Visible = movingRight;
    headl.Visible = movingLeft;
    headu.Visible = movingUp;
    headd.Visible = movingDown;
    movedSinceTurn = false;
}

// Called right after a step: a turn that had to wait is taken now, under
// the rules as they stand now.
void VermoGame::releaseHeldTurn()
{
    const int keyCode = heldTurn;
    heldTurn = 0;
    if (keyCode != 0 && acceptsArrow(keyCode))
        applyArrow(keyCode);
}

// A pause stops the effect timers that run and remembers which; the
// resume starts those again.
void VermoGame::pause()
{
    paused = !paused;
    services_.tmvermomove.setEnabled(!paused);
    auto pauseEffect = [this](Timer& timer, bool& wasOn) {
        if (paused && timer.enabled()) {
            wasOn = true;
            timer.setEnabled(false);
        } else if (!paused && wasOn) {
            wasOn = false;
            timer.setEnabled(true);
        }
    };
    pauseEffect(services_.tminvisible, timerWasOn[1]);
    pauseEffect(services_.tmshake, timerWasOn[2]);
}

}  // namespace vermo
