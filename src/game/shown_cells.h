// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/form_state.h"

namespace vermo {

// What the playfield shows, cell by cell: for every cell of the grid (and
// the ring just beyond the walls, where a head can stand for one tick) how
// many sprites stand there and a fingerprint of how they look. Comparing
// two moments costs one pass over the sprites and one over the cells: a
// tick of a long worm moves every segment's index but changes only the
// cells of the head, the neck and the tail.
class ShownCells {
public:
    // Cells from 0 to 24 each way: 0 and 24 lie beyond the walls.
    static constexpr int span = gridCells + 2;

    // Reads the window's state. A sprite off the grid makes the whole
    // field count as changed.
    void takeFrom(const FormState& state);

    struct Cell {
        std::uint32_t sprites = 0;
        std::uint64_t looks = 0;  // order-independent sum of the sprites' fingerprints
        bool operator==(const Cell&) const = default;
    };

    struct Position {
        int column, row;  // 0 to 24; the cell's Left and Top are 0.5 * value
    };

    // The cells that differ from `before`; false when the whole field must
    // be painted (the background changed, or a sprite stands off the grid
    // now or stood off it then).
    bool changedSince(const ShownCells& before, std::vector<Position>& changed) const;

private:
    void add(float left, float top, float width, float height, std::uint64_t look);

    Color background_ = colors::black;
    bool onGrid_ = false;  // nothing read yet
    std::array<Cell, span * span> cells_{};
};

}  // namespace vermo
