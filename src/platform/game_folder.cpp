#include "platform/game_folder.h"

#include <cstring>
#include <system_error>

#include "platform/file_descriptor.h"

namespace vermo {

namespace fs = std::filesystem;

namespace {

bool isAbsolute(const char* path)
{
    return path != nullptr && path[0] == '/';
}

// The file in the player's folder already stands for the installed one:
// a link to it, or (where links cannot be made) a copy of it.
bool isCurrent(const Folder& folder, const std::string& name, const std::string& installedPath,
               const std::string& installedBytes)
{
    const auto entry = folder.entryInfo(name);
    if (!entry)
        return false;
    if (S_ISLNK(entry->st_mode))
        return folder.linkTarget(name) == installedPath;
    const FileRead copy = folder.read(name, maxDataFileBytes);
    return copy.read() && copy.bytes == installedBytes;
}

// Puts a link to (or a copy of) the installed file under a temporary name
// of this process's own and renames it over the old one.
bool replace(const Folder& folder, const std::string& name, const std::string& installedPath,
             const std::string& installedBytes, bool links)
{
    const std::string made = uniqueFileName("." + name, ".new");
    bool ready = links && folder.makeLink(installedPath, made) == 0;
    if (!ready) {
        int error = 0;
        FileDescriptor copy = folder.createNew(made, 0644, error);
        ready = copy.valid() && copy.writeAll(installedBytes) && copy.close();
    }
    if (ready && folder.rename(made, name) == 0)
        return true;
    folder.remove(made);
    return false;
}

}  // namespace

bool holdsDataFiles(const Folder& folder)
{
    for (const char* name : dataFileNames)
        if (folder.holds(name))
            return true;
    return false;
}

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
    const bool startIsPlayers = start.isPlayers();
    if (startIsPlayers && holdsDataFiles(start))
        return {{start, start}, false};
    if (program.isPlayers() && holdsDataFiles(program))
        return {{program, program}, false};
    if (holdsDataFiles(installedData))
        return {{installedData, Folder()}, true};
    if (startIsPlayers)
        return {{start, start}, false};
    return {{Folder(), Folder()}, true};
}

PlayerFolder preparePlayerFolder(const fs::path& path, const Folder& installedData, bool links)
{
    PlayerFolder result{{installedData, Folder()}, {}};
    if (path.empty()) {
        result.problem = "No Home Folder Is Known";
        return result;
    }
    std::error_code error;
    fs::create_directories(path, error);
    const Folder folder = Folder::open(path);
    if (!folder.isOpen()) {
        result.problem = std::strerror(folder.openError());
        return result;
    }
    if (!folder.isPlayers()) {
        result.problem = "Another User Owns It Or May Write To It";
        return result;
    }
    // Scores are written beside the pictures; a folder the player may not
    // write to is no better than none.
    if (!folder.writable()) {
        result.problem = std::strerror(EACCES);
        return result;
    }
    result.folders.scores = folder;

    bool allReady = true;
    for (const char* name : dataFileNames) {
        const FileRead installed = installedData.read(name, maxDataFileBytes);
        if (!installed.read())
            continue;
        const std::string installedPath = (installedData.path() / name).string();
        if (!isCurrent(folder, name, installedPath, installed.bytes)
            && !replace(folder, name, installedPath, installed.bytes, links))
            allReady = false;
    }
    // A ready folder is the whole game's folder, pictures and all.
    if (allReady)
        result.folders.files = folder;
    return result;
}

}  // namespace vermo
