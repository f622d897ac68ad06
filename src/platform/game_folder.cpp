// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/game_folder.h"

#include <algorithm>
#include <cstring>

namespace vermo {

namespace fs = std::filesystem;

namespace {

// The data files are small; the game reads no more than this of any of them.
constexpr std::size_t maxDataFileBytes = 1024 * 1024;

bool isAbsolute(const char* path)
{
    return path != nullptr && path[0] == '/';
}

// Makes the file in the player's folder stand for the installed one: a link
// to it, or (where links cannot be made) a copy of it. One that does not yet
// is made under a temporary name of this process's own and renamed over it.
bool makeCurrent(const Folder& folder, const std::string& name, const std::string& installedPath,
                 const std::string& installedBytes)
{
    const auto entry = folder.entryInfo(name);
    if (entry && S_ISLNK(entry->st_mode) && folder.linkTarget(name) == installedPath)
        return true;
    if (entry && !S_ISLNK(entry->st_mode)) {
        const FileRead copy = folder.read(name, maxDataFileBytes);
        if (copy.read() && copy.bytes == installedBytes)
            return true;
    }
    const std::string made = uniqueFileName("." + name, ".new");
    if (folder.makeLink(installedPath, made) == 0) {
        if (folder.rename(made, name) == 0)
            return true;
        folder.remove(made);
    }
    return folder.replace(name, installedBytes, 0644, "." + name, ".new").written;
}

// Whether anything in the folder is named like one of the data files.
bool holdsDataFiles(const Folder& folder)
{
    return std::ranges::any_of(dataFiles::all, [&](const char* name) {
        return folder.entryInfo(name).has_value();
    });
}

}  // namespace

fs::path playerFolder(const char* xdgDataHome, const char* home)
{
    if (isAbsolute(xdgDataHome))
        return fs::path(xdgDataHome) / "vermo";
    if (isAbsolute(home))
        return fs::path(home) / ".local" / "share" / "vermo";
    return {};
}

GameFolderChoice chooseGameFolder(const Folder& start, const Folder& program,
                                  const Folder& installedData)
{
    for (const Folder* candidate : {&start, &program}) {
        if (!candidate->isPlayers() || !holdsDataFiles(*candidate))
            continue;
        // A copy the player may not write to (root's) is used like an
        // installed one: its files, and the player's own folder for the table.
        if (candidate->writable())
            return {{*candidate, *candidate}, false};
        return {{*candidate, Folder()}, true};
    }
    if (holdsDataFiles(installedData))
        return {{installedData, Folder()}, true};
    if (start.isPlayers())
        return {{start, start}, false};
    return {{Folder(), Folder()}, true};
}

PlayerFolder preparePlayerFolder(const fs::path& path, const Folder& installedData)
{
    // Until it is ready, the folder is only named in what the player is told.
    PlayerFolder result{{installedData, Folder::unopened(path)}, {}};
    if (path.empty()) {
        result.folders.scores = Folder::unopened("~/.local/share/vermo");
        result.problem = "No Home Folder Is Known";
        return result;
    }
    // Made where missing, walked by the trust rule, so nobody can turn the
    // player's folder into one of the player's other folders.
    const LinkEnd end = Folder::open("/").follow(path.string(), Following::MakingFolders);
    if (end.refused()) {
        result.problem = end.refusal == EPERM ? "It Lies Behind A Link Another User Made"
                                              : std::strerror(end.refusal);
        return result;
    }
    const Folder& folder = end.folder;
    if (!folder.isOpen()) {
        // A folder the player may not open still says why its table
        // cannot be read.
        result.folders.scores = folder;
        result.problem = std::strerror(folder.openError());
        return result;
    }
    if (!folder.isPlayers()) {
        result.problem = "Another User Owns It Or May Write To It";
        return result;
    }
    // A table the player may read but not write is still shown; only the
    // links cannot be made, and no result is kept.
    result.folders.scores = folder;
    if (!folder.writable()) {
        result.problem = std::strerror(EACCES);
        return result;
    }

    bool allReady = true;
    for (const char* name : dataFiles::all) {
        const FileRead installed = installedData.read(name, maxDataFileBytes);
        if (!installed.read())
            continue;
        if (!makeCurrent(folder, name, (installedData.path() / name).string(), installed.bytes))
            allReady = false;
    }
    // A ready folder is the whole game's folder, pictures and all.
    if (allReady)
        result.folders.files = folder;
    return result;
}

}  // namespace vermo
