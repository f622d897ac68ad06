// SPDX-License-Identifier: GPL-3.0-or-later
// The worm grows at its tail and shrinks from it, one segment per call.
#include "game/vermo_game.h"

namespace vermo {

namespace {
// Shrinking never takes the worm below sixteen segments, head included.
constexpr int shortestShrinkableTail = 15;
}  // namespace

// The new segment is a copy of the head, colours and cell included; the
// body follow of the same tick moves it into the chain.
void VermoGame::Grow()
{
    vermo.loadNext();
    vermo(vermo.highest()).Visible = true;
}

void VermoGame::Shrink()
{
    if (vermo.highest() > shortestShrinkableTail)
        vermo.unloadHighest();
}

}  // namespace vermo
