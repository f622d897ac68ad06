// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/folder.h"

namespace vermo {

inline constexpr const char* scoreFileName = "topten.dll";

// Where the high-score table lives: a name in an open folder.
struct TablePlace {
    Folder folder;
    std::string name;
};

// Finds the table of the game's folder. Usually that is topten.dll in the
// folder itself. When topten.dll is a link, the link is followed only if
// it, and every link after it, was made by the player or by root, and it
// ends at a table or at a file not made yet in a folder that exists; the
// table then lives there and the link stays. Any other link is not
// followed: a write replaces the link itself, and whatever it points to is
// left alone. Found once for each read or write and handed on, so the
// read, the lock and the write of one game over all work on one place.
TablePlace FindTable(const Folder& gameFolder);

}  // namespace vermo
