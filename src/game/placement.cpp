// SPDX-License-Identifier: GPL-3.0-or-later
// Where the berry and the poison items go: random cells, drawn again while
// the cell is taken; on a crowded board an even draw among the free cells
// takes over (D-06).
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

// Moves the item to a cell drawn evenly among those where the test holds,
// each tested with the item moved there; false when there is none.
template <class Item, class Test>
bool moveToFreeCell(RandomSource& random, Item& item, Test&& isFree)
{
    std::vector<Cell> cells;
    for (int column = 1; column <= gridCells; ++column) {
        for (int row = 1; row <= gridCells; ++row) {
            item.Left = gridCoordinate(column);
            item.Top = gridCoordinate(row);
            if (isFree())
                cells.push_back({column, row});
        }
    }
    if (cells.empty())
        return false;
    const int drawn = drawOneTo(random, static_cast<int>(cells.size()));
    const Cell cell = cells[static_cast<std::size_t>(drawn - 1)];
    item.Left = gridCoordinate(cell.column);
    item.Top = gridCoordinate(cell.row);
    return true;
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

    if (!moveToFreeCell(services_.random, berry, [this] { return berryCellIsFree(); })) {
        // No free cell at all: the berry stays where it was.
        berry = before;
        berryKind = kindBefore;
        return;
    }
    berryKind = static_cast<std::uint8_t>(drawOneTo(services_.random, 5));
    berry.FillColor = berryColour(berryKind);
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
            if (!moveToFreeCell(services_.random, item, [&] { return poisonCellIsFree(item); }))
                return;  // nowhere to go: the item stays hidden
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
