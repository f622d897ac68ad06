// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <string_view>

namespace vermo {

namespace {

// The system gives up on chains of links at about this length too.
constexpr int maxLinkHops = 40;

constexpr int openForReading = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW;

// Runs a getpwuid_r/getgrgid_r style lookup, growing its buffer as needed.
template <typename Entry, typename Lookup>
bool lookUp(Entry& entry, std::vector<char>& buffer, Lookup lookup)
{
    Entry* found = nullptr;
    for (std::size_t size = 4096; size <= (std::size_t{1} << 20); size *= 2) {
        buffer.resize(size);
        const int failed = lookup(&entry, buffer.data(), buffer.size(), &found);
        if (failed == ERANGE)
            continue;
        return failed == 0 && found != nullptr;
    }
    return false;
}

// Whether another account has this group as its primary group. The list
// of accounts is only looked through so far; a longer one counts as yes.
bool isAnotherAccountsPrimaryGroup(gid_t gid, uid_t player)
{
    constexpr int maxAccountsLooked = 100000;
    bool shared = false;
    ::setpwent();
    passwd entry{};
    std::vector<char> buffer(16384);
    passwd* found = nullptr;
    int looked = 0;
    while (!shared && ::getpwent_r(&entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        shared = (++looked > maxAccountsLooked) || (found->pw_gid == gid && found->pw_uid != player);
    }
    ::endpwent();
    return shared;
}

// The private group of the player: a group of the player's own name that
// is the player's primary group and no other account's, with no other
// member.
bool isPlayersPrivateGroup(gid_t gid)
{
    passwd player{};
    std::vector<char> playerBuffer;
    if (!lookUp(player, playerBuffer, [](passwd* e, char* b, std::size_t n, passwd** r) {
            return ::getpwuid_r(::geteuid(), e, b, n, r);
        }))
        return false;
    if (player.pw_gid != gid)
        return false;
    group entry{};
    std::vector<char> groupBuffer;
    if (!lookUp(entry, groupBuffer, [gid](group* e, char* b, std::size_t n, group** r) {
            return ::getgrgid_r(gid, e, b, n, r);
        }))
        return false;
    const std::string_view name = player.pw_name;
    if (name != entry.gr_name)
        return false;
    for (char** member = entry.gr_mem; *member != nullptr; ++member)
        if (name != *member)
            return false;
    return !isAnotherAccountsPrimaryGroup(gid, player.pw_uid);
}

// An access list on the folder beyond its mode bits (names other users or
// groups); its mask then stands in the group's bits.
bool hasExtendedAccessList(int fd)
{
    return ::fgetxattr(fd, "system.posix_acl_access", nullptr, 0) > 0;
}

FileRead failedRead(FileRead::State state, int error)
{
    FileRead result;
    result.state = state;
    result.error = error;
    return result;
}

// Reads an open plain file up to `limit` bytes. The buffer is sized by
// what the file holds now, so a small file costs a few hundred bytes, not
// the whole bound; a file that grows meanwhile is still read no further.
FileRead readOpenFile(int fd, const struct stat& info, std::size_t limit)
{
    constexpr std::size_t chunk = 64 * 1024;
    FileRead result;
    std::string& bytes = result.bytes;
    std::size_t filled = 0;
    bytes.resize(std::min<std::size_t>(limit, static_cast<std::size_t>(info.st_size) + 1));
    while (filled < limit) {
        if (filled == bytes.size())
            bytes.resize(std::min(limit, bytes.size() + chunk));
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failedRead(FileRead::State::Unreadable, errno);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    result.state = FileRead::State::Read;
    return result;
}

}  // namespace

bool ownedByPlayerOrRoot(const struct stat& info)
{
    return info.st_uid == ::geteuid() || info.st_uid == 0;
}

bool isPlayersFolder(const struct stat& info, bool extendedAccessList)
{
    if (!S_ISDIR(info.st_mode) || !ownedByPlayerOrRoot(info) || (info.st_mode & S_IWOTH) != 0)
        return false;
    if ((info.st_mode & S_IWGRP) == 0)
        return true;
    return !extendedAccessList && isPlayersPrivateGroup(info.st_gid);
}

Folder Folder::open(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Folder(nullptr, path, errno);
    return Folder(std::make_shared<FileDescriptor>(fd), path, 0);
}

Folder Folder::openFolder(const std::string& relative) const
{
    std::filesystem::path shown = std::filesystem::path(relative).is_absolute()
                                      ? std::filesystem::path(relative)
                                      : (path_ / relative).lexically_normal();
    if (!isOpen())
        return Folder(nullptr, std::move(shown), error_);
    const int fd = ::openat(this->fd(), relative.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Folder(nullptr, std::move(shown), errno);
    return Folder(std::make_shared<FileDescriptor>(fd), std::move(shown), 0);
}

Folder Folder::openSubfolder(const std::string& name) const
{
    std::filesystem::path shown = (path_ / name).lexically_normal();
    if (!isOpen())
        return Folder(nullptr, std::move(shown), error_);
    const int fd = ::openat(this->fd(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Folder(nullptr, std::move(shown), errno);
    return Folder(std::make_shared<FileDescriptor>(fd), std::move(shown), 0);
}

int Folder::makeFolder(const std::string& name) const
{
    if (!isOpen())
        return error_;
    return ::mkdirat(fd(), name.c_str(), 0700) == 0 ? 0 : errno;
}

std::optional<struct stat> Folder::info() const
{
    struct stat result {};
    if (!isOpen() || ::fstat(fd(), &result) != 0)
        return std::nullopt;
    return result;
}

bool Folder::isPlayers() const
{
    const auto folder = info();
    return folder && isPlayersFolder(*folder, hasExtendedAccessList(fd()));
}

bool Folder::writable() const
{
    return isOpen() && ::faccessat(fd(), ".", W_OK | X_OK, AT_EACCESS) == 0;
}

std::optional<struct stat> Folder::entryInfo(const std::string& name, int* error) const
{
    struct stat result {};
    if (!isOpen()) {
        if (error != nullptr)
            *error = error_;
        return std::nullopt;
    }
    if (::fstatat(fd(), name.c_str(), &result, AT_SYMLINK_NOFOLLOW) != 0) {
        if (error != nullptr)
            *error = errno;
        return std::nullopt;
    }
    return result;
}

LinkEnd Folder::follow(const std::string& name) const
{
    const LinkEnd refused{*this, name, true};
    LinkEnd end{*this, name, false};
    for (int hop = 0;; ++hop) {
        const auto entry = end.folder.entryInfo(end.name);
        if (!entry || !S_ISLNK(entry->st_mode))
            return end;
        // The system's own rule for links in shared folders, applied to
        // every link of the chain: only the player's and root's count.
        if (hop == maxLinkHops || !ownedByPlayerOrRoot(*entry))
            return refused;
        const auto target = end.folder.linkTarget(end.name);
        if (!target || target->empty())
            return refused;
        const std::size_t slash = target->rfind('/');
        std::string folderPart = slash == std::string::npos ? "." : target->substr(0, slash);
        std::string namePart = slash == std::string::npos ? *target : target->substr(slash + 1);
        if (slash == 0)
            folderPart = "/";
        // A link to a folder ends at the folder itself.
        if (namePart.empty() || namePart == "." || namePart == "..") {
            folderPart = *target;
            namePart = ".";
        }
        Folder next = end.folder.openFolder(folderPart);
        // A folder that is not there is a link to nowhere; one the player
        // may not look into is there, and what lies in it cannot be read.
        const int error = next.openError();
        if (error == ENOENT || error == ENOTDIR || error == ELOOP)
            return refused;
        end = LinkEnd{std::move(next), std::move(namePart), false};
    }
}

FileRead Folder::read(const std::string& name, std::size_t limit) const
{
    if (!isOpen())
        return failedRead(error_ == ENOENT || error_ == ENOTDIR ? FileRead::State::Missing
                                                                 : FileRead::State::Unreadable,
                          error_);
    FileDescriptor file(::openat(fd(), name.c_str(), openForReading));
    if (!file.valid()) {
        const int error = errno;
        if (error == ENOENT)
            return failedRead(FileRead::State::Missing, error);
        const auto entry = entryInfo(name);
        if (error == ELOOP && entry && S_ISLNK(entry->st_mode))
            return failedRead(FileRead::State::Link, error);
        // A socket, or a device without its driver.
        if (entry && !S_ISREG(entry->st_mode) && !S_ISLNK(entry->st_mode))
            return failedRead(FileRead::State::NotPlain, error);
        return failedRead(FileRead::State::Unreadable, error);
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failedRead(FileRead::State::Unreadable, errno);
    if (!S_ISREG(info.st_mode))
        return failedRead(FileRead::State::NotPlain, 0);
    return readOpenFile(file.get(), info, limit);
}

FileRead Folder::readThroughLinks(const std::string& name, std::size_t limit) const
{
    const LinkEnd end = follow(name);
    if (end.refused)
        return failedRead(FileRead::State::Link, ELOOP);
    return end.folder.read(end.name, limit);
}

FileDescriptor Folder::createNew(const std::string& name, mode_t mode, int& error) const
{
    if (!isOpen()) {
        error = error_;
        return FileDescriptor(-1);
    }
    FileDescriptor file(
        ::openat(fd(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    error = file.valid() ? 0 : errno;
    return file;
}

FileDescriptor Folder::openAgain(int& error) const
{
    if (!isOpen()) {
        error = error_;
        return FileDescriptor(-1);
    }
    FileDescriptor again(::openat(fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    error = again.valid() ? 0 : errno;
    return again;
}

int Folder::rename(const std::string& from, const std::string& to) const
{
    if (!isOpen())
        return error_;
    return ::renameat(fd(), from.c_str(), fd(), to.c_str()) == 0 ? 0 : errno;
}

int Folder::remove(const std::string& name) const
{
    if (!isOpen())
        return error_;
    return ::unlinkat(fd(), name.c_str(), 0) == 0 ? 0 : errno;
}

int Folder::makeLink(const std::string& target, const std::string& name) const
{
    if (!isOpen())
        return error_;
    return ::symlinkat(target.c_str(), fd(), name.c_str()) == 0 ? 0 : errno;
}

std::optional<std::string> Folder::linkTarget(const std::string& name) const
{
    if (!isOpen())
        return std::nullopt;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlinkat(fd(), name.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size())
        return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    return target;
}

void Folder::sync() const
{
    if (isOpen())
        ::fsync(fd());
}

std::vector<std::string> Folder::names(std::size_t limit) const
{
    std::vector<std::string> found;
    if (!isOpen())
        return found;
    // A handle of its own, so the listing starts at the beginning and
    // leaves the shared one alone.
    const int listing = ::openat(fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return found;
    DIR* folder = ::fdopendir(listing);
    if (folder == nullptr) {
        ::close(listing);
        return found;
    }
    while (found.size() < limit) {
        const dirent* entry = ::readdir(folder);
        if (entry == nullptr)
            break;
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            found.emplace_back(name);
    }
    ::closedir(folder);
    return found;
}

std::string uniqueFileName(const std::string& start, const std::string& end)
{
    constexpr std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::uint64_t counter = 0;
    std::uint64_t state =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
        ^ (++counter * 0x9E3779B97F4A7C15ull);
    std::string name = start + "." + std::to_string(::getpid()) + ".";
    for (int i = 0; i < 6; ++i) {
        // splitmix64 step
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        name += alphabet[z % alphabet.size()];
    }
    return name + end;
}

}  // namespace vermo
