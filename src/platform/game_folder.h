// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "platform/data_files.h"
#include "platform/folder.h"

namespace vermo {

// Where the game plays: files holds its pictures, icon and help text,
// scores its high-score file. Both are the same folder unless the game
// was installed.
struct GameFolders {
    Folder files;
    Folder scores;
};

// The player's own game folder (D-40) from the two variables, null when
// unset; empty when no absolute home folder is known.
std::filesystem::path playerFolder(const char* xdgDataHome, const char* home);

struct GameFolderChoice {
    // Ready to play in, unless the player's folder is still to be made.
    GameFolders folders;
    // The game plays in the player's own folder, which preparePlayerFolder
    // makes ready from the installed data files (folders.files, when open).
    bool inPlayersFolder = false;
};

// Chooses the game's folder by the folder rule (D-40). Folders that could
// not be opened are simply not chosen.
GameFolderChoice chooseGameFolder(const Folder& start, const Folder& program,
                                  const Folder& installedData);

struct PlayerFolder {
    GameFolders folders;
    // Why the high-score table cannot be kept there (D-42); empty when it can.
    std::string problem;
};

// Makes the player's folder ready (D-41): made with its parents on a way
// walked by the trust rule (docs/robustness.md, "Trust"), plainly the
// player's and writable, every data file a link to the installed one (or a
// copy). The high-score file is never touched.
PlayerFolder preparePlayerFolder(const std::filesystem::path& folder, const Folder& installedData);

}  // namespace vermo
