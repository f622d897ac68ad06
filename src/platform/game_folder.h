#pragma once

#include <filesystem>
#include <string>

namespace vermo {

// The game's data files: its pictures, its icon and its help text. The
// high-score file is not one of them: it belongs to the player.
inline constexpr const char* dataFileNames[] = {"vermou.gif", "vermod.gif", "vermol.gif",
                                                "vermor.gif", "poison.gif", "vermoicp.ico",
                                                "helpfile.bat"};

// Where the game plays: files holds its pictures, icon and help text,
// scores its high-score file (and the printed list). Both are the same
// folder unless the game was installed.
struct GameFolder {
    std::filesystem::path files;
    std::filesystem::path scores;
    // The folder is the player's own, to be made ready from the installed
    // data files (files) before the game starts.
    bool perPlayer = false;
};

// Whether the folder holds at least one of the data files.
bool holdsDataFiles(const std::filesystem::path& folder);

// The player's own game folder: $XDG_DATA_HOME/vermo, or
// $HOME/.local/share/vermo when XDG_DATA_HOME is unset, empty or not an
// absolute path. Null pointers stand for unset variables. Empty when no
// absolute home folder is known.
std::filesystem::path playerFolder(const char* xdgDataHome, const char* home);

// Chooses the game's folder:
// 1. the current folder, when it holds data files (a build or portable copy);
// 2. the program's own folder, when it holds them (the same, started from
//    elsewhere);
// 3. the player's own folder, when the installed data folder holds them;
// 4. the current folder otherwise.
// programFolder and installedData may be empty (unknown).
GameFolder chooseGameFolder(const std::filesystem::path& current,
                            const std::filesystem::path& programFolder,
                            const std::filesystem::path& installedData,
                            const std::filesystem::path& player);

// Makes the player's folder ready: creates it with its parents and makes
// every data file in it a link to the installed one (a copy where links
// cannot be made). A file that is missing or out of date is replaced in
// one step, so a half-made file is never seen; the high-score file is
// never touched. Returns an empty text when the folder is ready, else the
// reason it is not.
std::string preparePlayerFolder(const std::filesystem::path& folder,
                                const std::filesystem::path& installedData);

}  // namespace vermo
