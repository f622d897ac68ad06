// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

#include "platform/folder.h"

namespace vermo {

inline constexpr const char* scoreFileName = "topten.dll";

// Why the player's link named topten.dll is left as it is.
enum class LinkLeftAlone {
    No,             // the table is at folder/name
    AnotherUsers,   // its way passes through a link another user made
    Loop,           // its links go round in a loop (or far too many)
    MissingFolder,  // its way leads through a folder that is not there
    NoTable,        // it leads to something that is not a high-score table
};

// Where the high-score table lives: a name in an open folder.
struct TablePlace {
    TablePlace() = default;
    TablePlace(Folder in, std::string named) : folder(std::move(in)), name(std::move(named)) {}

    Folder folder;
    std::string name;
    // When this is set, folder/name is the player's link, which nothing
    // reads or writes through: linkTarget is where it leads.
    LinkLeftAlone leftAlone = LinkLeftAlone::No;
    std::string linkTarget;

    bool linkLeftAlone() const { return leftAlone != LinkLeftAlone::No; }
};

// Finds the table of the game's folder: topten.dll there, or where the
// link of that name leads, by the rule in docs/robustness.md ("Trust").
// Found once for each read or write and handed on, so the read, the lock
// and the write of one game over all work on one place.
TablePlace findTable(const Folder& gameFolder);

}  // namespace vermo
