// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "platform/data_files.h"
#include "platform/folder.h"

namespace vermo {

// The data files are small; the game reads no more than this of any of them.
inline constexpr std::size_t maxDataFileBytes = 1024 * 1024;

// Where the game plays: files holds its pictures, icon and help text,
// scores its high-score file. Both are the same folder unless the game
// was installed.
struct GameFolders {
    Folder files;
    Folder scores;
};

// Whether anything in the folder is named like one of the data files.
bool holdsDataFiles(const Folder& folder);

// The player's own game folder: $XDG_DATA_HOME/vermo, or
// $HOME/.local/share/vermo when XDG_DATA_HOME is unset, empty or not an
// absolute path. Null pointers stand for unset variables. Empty when no
// absolute home folder is known.
std::filesystem::path playerFolder(const char* xdgDataHome, const char* home);

struct GameFolderChoice {
    // Ready to play in, unless the player's folder is still to be made.
    GameFolders folders;
    // The game plays in the player's own folder, which preparePlayerFolder
    // makes ready from the installed data files (folders.files, when open).
    bool inPlayersFolder = false;
};

// Chooses the game's folder by the folder rule (D-40): the start folder or
// the program's own folder when it holds data files and is plainly the
// player's (Folder::isPlayers), else the player's own folder for an
// installed game, else the start folder or the player's own. Folders that
// could not be opened are simply not chosen.
GameFolderChoice chooseGameFolder(const Folder& start, const Folder& program,
                                  const Folder& installedData);

struct PlayerFolder {
    GameFolders folders;
    // Why the high-score table cannot be kept there; empty when it can.
    // The table is then read from that folder but never written (a folder
    // the player may not write to), or looked for in no folder at all (one
    // that is not the player's), so nothing is written anywhere else.
    std::string problem;
};

// Makes the player's folder ready (D-41): creates it with its parents
// (walking its path by the trust rule of docs/robustness.md, "Trust"),
// makes sure it is plainly the player's and writable, and makes every data file
// in it a link to the installed one (a copy when links cannot be made).
// A file that is missing or out of date is
// replaced in one step, under a name no other process uses, so a
// half-made file is never seen and copies starting at once do not clash.
// The high-score file is never touched. When a data file cannot be put
// there (a folder in its way), the pictures, icon and help text are read
// from the installed folder instead; the table is still kept.
PlayerFolder preparePlayerFolder(const std::filesystem::path& folder, const Folder& installedData);

}  // namespace vermo
