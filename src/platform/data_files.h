// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vermo::dataFiles {

// The game's data files: its pictures, its icon and its help text, found
// by these names in the game's folder. The high-score file is not one of
// them: it belongs to the player. The build copies and installs the files
// named here (it reads this list), so a name is written once.
inline constexpr const char* headUp = "vermou.gif";
inline constexpr const char* headDown = "vermod.gif";
inline constexpr const char* headLeft = "vermol.gif";
inline constexpr const char* headRight = "vermor.gif";
inline constexpr const char* poison = "poison.gif";
inline constexpr const char* icon = "vermoicp.ico";
inline constexpr const char* help = "helpfile.bat";

inline constexpr const char* all[] = {headUp, headDown, headLeft, headRight, poison, icon, help};

}  // namespace vermo::dataFiles
