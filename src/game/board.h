// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/measures.h"

namespace vermo {

// The main window measures its contents in centimetres (single precision,
// origin at the top left of the client area); design values come in
// twips.
constexpr float cmFromTwips(int twips)
{
    return static_cast<float>(twips / twipsPerCm);
}

namespace colors {
inline constexpr Color black = 0x000000;
inline constexpr Color white = 0xFFFFFF;
inline constexpr Color wormGreen = 0x008000;
inline constexpr Color wallBlue = 0xC00000;
inline constexpr Color darkGrey = 0x404040;
inline constexpr Color red = 0x0000FF;
inline constexpr Color blue = 0xFF0000;
inline constexpr Color yellow = 0x00FFFF;
inline constexpr Color teal = 0x808000;
inline constexpr Color orange = 0x0080FF;
inline constexpr Color helpTeal = 0x404000;
}  // namespace colors

// The playfield: 23 by 23 cells of 0.5 cm; a position value k from 1 to 23
// stands for the coordinate 0.5 * k.
inline constexpr int gridCells = 23;
inline constexpr float cellStep = 0.5f;
constexpr float gridCoordinate(int k) { return cellStep * static_cast<float>(k); }

// Every sprite is 285 twips square, a hair larger than one cell.
inline constexpr int spriteTwips = 285;
inline constexpr float spriteSize = cmFromTwips(spriteTwips);

// Half a cell: the margin of every box test.
inline constexpr float boxMargin = 0.25f;

// The head segment's start cell.
inline constexpr float startCell = 5.5f;

// The main window's client area at its design size, in twips.
inline constexpr int clientWidthTwips = 9750;
inline constexpr int clientHeightTwips = 6990;

}  // namespace vermo
