// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_layouts.h"

#include <cstdint>

namespace vermo::bench {

std::vector<Cell> serpentine(int firstRow, int lastRow)
{
    std::vector<Cell> path;
    for (int row = firstRow; row <= lastRow; ++row) {
        const bool leftToRight = (row - firstRow) % 2 == 0;
        for (int i = 1; i <= gridCells; ++i)
            path.push_back({leftToRight ? i : gridCells + 1 - i, row});
    }
    return path;
}

void putHead(FormState& state, Cell cell)
{
    state.vermo(0).Left = gridCoordinate(cell.column);
    state.vermo(0).Top = gridCoordinate(cell.row);
    for (Image* picture : {&state.headu, &state.headd, &state.headl, &state.headr}) {
        picture->Left = state.vermo(0).Left;
        picture->Top = state.vermo(0).Top;
        picture->Visible = picture == &state.headr;
    }
}

void layBody(FormState& state, int count, const std::vector<Cell>& path)
{
    while (state.vermo.highest() > 0)
        state.vermo.unloadHighest();
    for (int i = 1; i <= count; ++i) {
        state.vermo.loadNext();
        Circle& segment = state.vermo(i);
        const Cell cell = path[static_cast<std::size_t>(i - 1) % path.size()];
        segment.Left = gridCoordinate(cell.column);
        segment.Top = gridCoordinate(cell.row);
        segment.Visible = true;
    }
}

void layPoison(FormState& state, int count, const std::vector<Cell>& path)
{
    while (state.poison.highest() > 1)
        state.poison.unloadHighest();
    state.poison(1).Picture = "poison.gif";
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            state.poison.loadNext();
        Image& item = state.poison(i);
        const Cell cell = path[static_cast<std::size_t>(i - 1) % path.size()];
        item.Left = gridCoordinate(cell.column);
        item.Top = gridCoordinate(cell.row);
        item.Visible = true;
    }
    state.poisonCount = static_cast<std::int16_t>(count);
    state.poisonPlaced = count > 0;
}

void namePictures(FormState& state)
{
    state.headu.Picture = "vermou.gif";
    state.headd.Picture = "vermod.gif";
    state.headl.Picture = "vermol.gif";
    state.headr.Picture = "vermor.gif";
    state.poison(1).Picture = "poison.gif";
}

}  // namespace vermo::bench
