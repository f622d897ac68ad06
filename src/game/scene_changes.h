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
// two moments then costs one pass over the sprites and one over the cells;
// a tick of a long worm moves every segment's index but changes only the
// cells of the head and of the old tail.
class ShownCells {
public:
    // Cells from 0 to 24 on each axis: 0 and 24 lie beyond the walls.
    static constexpr int span = gridCells + 2;

    // Reads the window's state. Anything off the grid (which never happens
    // once the window has loaded) makes the whole field count as changed.
    void takeFrom(const FormState& state);

    Color background() const { return background_; }
    bool onGrid() const { return onGrid_; }

    struct Cell {
        std::uint32_t sprites = 0;
        std::uint64_t looks = 0;  // order-independent sum of the sprites' fingerprints
        bool operator==(const Cell&) const = default;
    };
    const Cell& cell(int column, int row) const { return cells_[index(column, row)]; }

private:
    static std::size_t index(int column, int row)
    {
        return static_cast<std::size_t>(row * span + column);
    }
    void add(float left, float top, float width, float height, std::uint64_t look);

    Color background_ = colors::black;
    bool onGrid_ = true;
    std::array<Cell, span * span> cells_{};
};

struct CellPosition {
    int column, row;  // 0 to 24; the coordinate of the cell is 0.5 * value
    bool operator==(const CellPosition&) const = default;
};

// The cells whose contents differ between two moments.
void cellsThatDiffer(const ShownCells& before, const ShownCells& after,
                     std::vector<CellPosition>& out);

}  // namespace vermo
