// SPDX-License-Identifier: GPL-3.0-or-later
// One step of play. First the position the previous step produced is
// judged (own body, walls, poison, berry), then the body follows and the
// head moves one cell. A move therefore shows its consequences one tick
// later: a head that left the field is drawn beyond the wall for one
// period, and a berry is eaten one tick after the head arrived on it.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "game/vermo_game.h"

namespace vermo {

void VermoGame::tmvermomove_Timer()
{
    selfCollisionTest();
    wallTest();
    if (poisonTest())
        return;
    berryTest();
    bodyFollow();
    headMove();
    movedSinceTurn = true;
    releaseHeldTurn();
}

// Scans from the tail to the neck. A hit ends the game; a new game set up
// meanwhile clears collisionIndex, which ends the scan.
void VermoGame::selfCollisionTest()
{
    collisionIndex = static_cast<std::int16_t>(vermo.highest());
    while (collisionIndex >= 1) {
        // A body segment only ever holds a copy of a position the head
        // had, so exact equality is the right test.
        if (samePosition(vermo(0), vermo(collisionIndex)))
            newgames();
        --collisionIndex;
    }
}

// Every cell from 0.5 to 11.5 on both axes is inside; 0.0 and 12.0 are out.
void VermoGame::wallTest()
{
    const Circle& head = vermo(0);
    const bool outside = lborder.X1 - boxMargin > head.Left
                      || uborder.Y1 - boxMargin > head.Top
                      || rborder.X1 + boxMargin < head.Left + head.Width
                      || dborder.Y1 + boxMargin < head.Top + head.Height;
    if (outside) {
        services_.tmvermomove.setEnabled(false);
        vermo(0).Visible = false;
        newgames();
    }
}

// Only the first poison item under the head counts; the tick ends there.
bool VermoGame::poisonTest()
{
    if (!poisonPlaced)
        return false;
    const int last = poison.highest();
    for (int i = 1; i <= last; ++i) {
        // An item that never found a free cell stays hidden and off the board.
        if (poison(i).Visible && liesInWidenedBox(poison(i), vermo(0))) {
            newgames();
            return true;
        }
    }
    return false;
}

void VermoGame::berryTest()
{
    if (liesInWidenedBox(berry, vermo(0)))
        eatBerry();
}

// Points, bonuses and penalties keep the score within 32 bits (D-09).
void VermoGame::addToScore(long long points)
{
    using Limits = std::numeric_limits<std::int32_t>;
    score = static_cast<std::int32_t>(std::clamp<long long>(score + points, Limits::min(), Limits::max()));
    lblscore.Caption = std::to_string(score);
}

// What each berry does, in this order. Blue and teal berries multiply the
// speed while they grow the worm, draw an effect and add their points, so
// an effect's score change comes before the berry's points.
void VermoGame::eatBerry()
{
    berryEaten = true;
    switch (berryKind) {
    case 1:  // red
        PlaceP();
        Grow();
        Grow();
        addToScore(speed);
        break;
    case 2:  // blue
        eatEffectBerry(3);
        break;
    case 3:  // yellow
        Grow();
        PlaceP();
        Grow();
        Grow();
        Grow();
        addToScore(speed);
        break;
    case 4:  // teal
        eatEffectBerry(2);
        break;
    case 5:  // orange
        Grow();
        PlaceP();
        addToScore(speed);
        break;
    default:
        break;
    }
    Place();
}

// The speed holds the multiplied value while the worm grows, the effect is
// drawn and the points are added; dividing back gives the chosen speed.
void VermoGame::eatEffectBerry(int factor)
{
    speed = static_cast<std::int16_t>(speed * factor);
    Grow();
    Effects();
    addToScore(speed);
    speed = static_cast<std::int16_t>(speed / factor);
}

// Each segment takes its predecessor's place: first all Lefts, then all
// Tops, each pass from the tail to the neck so no value is overwritten
// before it has been copied.
void VermoGame::bodyFollow()
{
    for (int i = vermo.highest(); i >= 1; --i)
        vermo(i).Left = vermo(i - 1).Left;
    for (int i = vermo.highest(); i >= 1; --i)
        vermo(i).Top = vermo(i - 1).Top;
}

void VermoGame::headMove()
{
    if (movingRight)
        moveHead(cellStep, 0);
    if (movingLeft)
        moveHead(-cellStep, 0);
    if (movingDown)
        moveHead(0, cellStep);
    if (movingUp)
        moveHead(0, -cellStep);
}

// The head segment and all four head pictures move together, shown or
// not, so the picture shown next is already in place.
void VermoGame::moveHead(float dx, float dy)
{
    for (auto* left : {&vermo(0).Left, &headu.Left, &headd.Left, &headl.Left, &headr.Left})
        *left += dx;
    for (auto* top : {&vermo(0).Top, &headu.Top, &headd.Top, &headl.Top, &headr.Top})
        *top += dy;
}

}  // namespace vermo
