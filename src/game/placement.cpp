// SPDX-License-Identifier: GPL-3.0-or-later
// Where the berry and the poison items go. Both draw random cells and try
// again while the cell is taken. A crowded board could keep them drawing
// for ever, so after a generous number of tries the choice falls back to
// an even draw among the cells that are still free, which gives every
// free cell the same chance the endless drawing would have given it (D-06).
#include <vector>

#include "game/vermo_game.h"

namespace vermo {

namespace {

constexpr int maxBerryAttempts = 1000;
constexpr int maxPoisonPasses = 1000;

Color berryColour(int kind)
{
    switch (kind) {
    case 1: return colors::red;
    case 2: return colors::blue;
    case 3: return colors::yellow;
    case 4: return colors::teal;
    default: return colors::orange;
    }
}

struct Cell {
    int column, row;
};

// Every cell for which the test holds, with the item moved there to test it.
template <class Item, class Test>
std::vector<Cell> cellsWhere(Item& item, Test&& passes)
{
    std::vector<Cell> cells;
    for (int column = 1; column <= gridCells; ++column) {
        for (int row = 1; row <= gridCells; ++row) {
            item.Left = gridCoordinate(column);
            item.Top = gridCoordinate(row);
            if (passes())
                cells.push_back({column, row});
        }
    }
    return cells;
}

}  // namespace

// The berry avoids the whole worm and, once the game has poison, every
// poison item. A berry under the head would be eaten by a worm that has
// not moved yet (at start-up, or as a new game is set up), and the grown
// worm would then die on its own neck before the player pressed a key.
bool VermoGame::berryCellIsFree()
{
    for (berryScanIndex = static_cast<std::int16_t>(vermo.highest()); berryScanIndex >= 0;
         --berryScanIndex) {
        if (liesInWidenedBox(berry, vermo(berryScanIndex)))
            return false;
    }
    if (poisonPlaced) {
        for (berryScanIndex = static_cast<std::int16_t>(poison.highest()); berryScanIndex >= 1;
             --berryScanIndex) {
            const Image& item = poison(berryScanIndex);
            if (item.Visible && samePosition(item, berry))
                return false;
        }
    }
    return true;
}

void VermoGame::Place()
{
    const Circle before = berry;
    const std::uint8_t kindBefore = berryKind;
    // Each attempt draws a column, a kind and a row; a rejected attempt
    // starts over with all three.
    for (int attempt = 0; attempt < maxBerryAttempts; ++attempt) {
        const int column = drawOneTo(services_.random, gridCells);
        berryKind = static_cast<std::uint8_t>(drawOneTo(services_.random, 5));
        berry.FillColor = berryColour(berryKind);
        berry.Left = gridCoordinate(column);
        const int row = drawOneTo(services_.random, gridCells);
        berry.Top = gridCoordinate(row);
        if (berryCellIsFree())
            return;
    }

    const auto free = cellsWhere(berry, [this] { return berryCellIsFree(); });
    if (free.empty()) {
        // No free cell at all: the berry stays where it was.
        berry = before;
        berryKind = kindBefore;
        return;
    }
    const Cell cell = free[static_cast<std::size_t>(
        drawOneTo(services_.random, static_cast<int>(free.size())) - 1)];
    berryKind = static_cast<std::uint8_t>(drawOneTo(services_.random, 5));
    berry.FillColor = berryColour(berryKind);
    berry.Left = gridCoordinate(cell.column);
    berry.Top = gridCoordinate(cell.row);
}

// A new random cell for the newest poison item.
void VermoGame::PlaceP2()
{
    Image& item = poison(poisonCount);
    item.Left = gridCoordinate(drawOneTo(services_.random, gridCells));
    item.Top = gridCoordinate(drawOneTo(services_.random, gridCells));
}

// Poison keeps out of the 7 by 7 block centred on the head: a distance
// below 2 cm on both axes is too close; exactly 2 (four cells) is allowed.
bool VermoGame::tooCloseToHead(const Image& item) const
{
    const Circle& head = vermo(0);
    return head.Left - 2 < item.Left && head.Left + 2 > item.Left
        && head.Top - 2 < item.Top && head.Top + 2 > item.Top;
}

bool VermoGame::poisonCellIsFree(const Image& item)
{
    for (poisonScanIndex = static_cast<std::int16_t>(vermo.highest()); poisonScanIndex >= 1;
         --poisonScanIndex) {
        if (liesInWidenedBox(item, vermo(poisonScanIndex)))
            return false;
    }
    return !samePosition(item, berry) && !tooCloseToHead(item);
}

void VermoGame::PlaceP()
{
    ++poisonCount;
    // The first item of a game is the design-time element; later ones are
    // hidden copies of it.
    if (poisonCount > 1 && !poison.exists(poisonCount))
        poison.loadNext();
    if (!poison.exists(poisonCount))
        return;  // a failure ends the placement quietly
    poisonPlaced = true;
    PlaceP2();
    Image& item = poison(poisonCount);

    // Passes over body, berry and head until one pass changes nothing. A
    // rejection draws a new cell at once and the pass goes on with it.
    for (int pass = 1;; ++pass) {
        if (pass > maxPoisonPasses) {
            const auto free = cellsWhere(item, [&] { return poisonCellIsFree(item); });
            if (free.empty())
                return;  // nowhere to go: the item stays hidden
            const Cell cell = free[static_cast<std::size_t>(
                drawOneTo(services_.random, static_cast<int>(free.size())) - 1)];
            item.Left = gridCoordinate(cell.column);
            item.Top = gridCoordinate(cell.row);
            break;
        }
        bool bodyClear = true, berryClear = true, headClear = true;
        for (poisonScanIndex = static_cast<std::int16_t>(vermo.highest()); poisonScanIndex >= 1;
             --poisonScanIndex) {
            if (liesInWidenedBox(item, vermo(poisonScanIndex))) {
                PlaceP2();
                bodyClear = false;
            }
        }
        if (samePosition(item, berry)) {
            PlaceP2();
            berryClear = false;
        }
        if (tooCloseToHead(item)) {
            PlaceP2();
            headClear = false;
        }
        if (bodyClear && berryClear && headClear)
            break;
    }
    item.Visible = true;
}

}  // namespace vermo
