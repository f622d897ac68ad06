// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/form_state.h"

namespace vermo::bench {

// Steering decisions made from the game's state after a tick, for the
// tick that follows. Each returns the arrow key a player would press
// now (keys::Left .. keys::Down), or 0 to press nothing.

// Keeps the head on a square ring of 4 by 4 cells around the start cell
// (columns and rows 11 to 14), clockwise. On the ring every cell lies
// within three cells of the head, so no poison item can land there, and
// the worm eats only a berry that happens to fall on the ring.
int ringKey(const FormState& state);

// Goes for the berry: of the moves that do not turn back, the ones that
// keep off the walls, the body and the poison and leave room for the
// worm, the one with the shortest way round them to the berry.
int greedyKey(const FormState& state);

}  // namespace vermo::bench
