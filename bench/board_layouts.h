// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "game/form_state.h"

namespace vermo::bench {

// A cell of the playfield by its position values, 1 to 23 each way.
struct Cell {
    int column, row;
    bool operator==(const Cell&) const = default;
};

// Every cell of rows firstRow..lastRow in one unbroken path: the first
// row left to right, the next right to left, and so on.
std::vector<Cell> serpentine(int firstRow, int lastRow);

// The head segment and its four pictures on a cell, the right-facing
// picture shown.
void putHead(FormState& state, Cell cell);

// Body segments 1..count along the path, one per cell; a body longer than
// the path lies over itself from the path's start again.
void layBody(FormState& state, int count, const std::vector<Cell>& path);

// Poison items 1..count along the path, shown, with their picture, and the
// game told that poison lies on the board.
void layPoison(FormState& state, int count, const std::vector<Cell>& path);

// Gives the head pictures and poison item 1 their files, as the load does.
void namePictures(FormState& state);

}  // namespace vermo::bench
