#include "platform/game_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/plain_file.h"

namespace vermo {

namespace fs = std::filesystem;

namespace {

bool isAbsolute(const char* path)
{
    return path != nullptr && path[0] == '/';
}

// The data files are small; a copy larger than this is not one of ours.
constexpr std::size_t maxDataFileBytes = 16 * 1024 * 1024;

// The file in the player's folder already stands for the installed one:
// a link to it, or (where links cannot be made) a copy of it.
bool isCurrent(const fs::path& file, const fs::path& installed)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    if (fs::is_symlink(status))
        return fs::read_symlink(file, error) == installed && !error;
    if (!fs::is_regular_file(status))
        return false;
    const auto copy = ReadPlainFile(file, maxDataFileBytes);
    return copy && copy == ReadPlainFile(installed, maxDataFileBytes);
}

// Puts a link to (or a copy of) the installed file under a temporary name
// and renames it over the old one.
std::error_code replace(const fs::path& file, const fs::path& installed)
{
    const fs::path made = file.parent_path() / ("." + file.filename().string() + ".new");
    std::error_code error;
    fs::remove(made, error);
    fs::create_symlink(installed, made, error);
    if (error) {
        error.clear();
        fs::copy_file(installed, made, fs::copy_options::overwrite_existing, error);
    }
    if (!error)
        fs::rename(made, file, error);
    if (error) {
        std::error_code ignored;
        fs::remove(made, ignored);
    }
    return error;
}

}  // namespace

bool holdsDataFiles(const fs::path& folder)
{
    for (const char* name : dataFileNames) {
        std::error_code error;
        if (fs::exists(folder / name, error))
            return true;
    }
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

GameFolder chooseGameFolder(const fs::path& current, const fs::path& programFolder,
                            const fs::path& installedData, const fs::path& player)
{
    if (holdsDataFiles(current))
        return {current, current};
    if (!programFolder.empty() && holdsDataFiles(programFolder))
        return {programFolder, programFolder};
    if (!installedData.empty() && holdsDataFiles(installedData))
        return {installedData, player, true};
    return {current, current};
}

std::string preparePlayerFolder(const fs::path& folder, const fs::path& installedData)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return error.message();
    // Scores are written beside the pictures; a folder the player may not
    // write to is no better than none.
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return std::strerror(errno);
    for (const char* name : dataFileNames) {
        const fs::path installed = installedData / name;
        if (!fs::exists(installed, error))
            continue;
        if (isCurrent(folder / name, installed))
            continue;
        if (const std::error_code failed = replace(folder / name, installed))
            return failed.message();
    }
    return {};
}

}  // namespace vermo
