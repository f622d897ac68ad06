// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folder.h"

#include "platform/mixed_bits.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <functional>
#include <string_view>

namespace vermo {

namespace {

// The system gives up on chains of links at about this length too.
constexpr int maxLinkHops = 40;

using State = FileRead::State;

constexpr int openForReading = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW;

// Opens an entry as itself, a link too, to look at it but not into it.
constexpr int openAsItself = O_PATH | O_NOFOLLOW | O_CLOEXEC;

// Takes the first part off a path ("a" of "a/b/c", leaving "/b/c").
std::string takeFirstPart(std::string& path)
{
    const std::size_t start = std::min(path.find_first_not_of('/'), path.size());
    const std::size_t end = std::min(path.find('/', start), path.size());
    std::string part = path.substr(start, end - start);
    path.erase(0, end);
    return part;
}

// What the link `name` in `at` points to; none when it cannot be read or
// is too long.
std::optional<std::string> readLink(int at, const char* name)
{
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlinkat(at, name, target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size())
        return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    return target;
}

// The largest buffer a look-up in the user database is given.
constexpr std::size_t maxLookUpBuffer = std::size_t{1} << 20;

// Runs a getpwuid_r/getgrgid_r/getpwent_r style look-up, growing its
// buffer as needed: 0 when found, ENOENT when there is no such entry (or
// no more), any other value when the look-up failed (D-55).
template <typename Entry, typename Lookup>
int lookUp(Entry& entry, std::vector<char>& buffer, Lookup lookup)
{
    Entry* found = nullptr;
    for (std::size_t size = std::max<std::size_t>(buffer.size(), 4096);; size *= 2) {
        buffer.resize(size);
        const int failed = lookup(&entry, buffer.data(), buffer.size(), &found);
        if (failed == ERANGE && size < maxLookUpBuffer)
            continue;
        if (failed != 0)
            return failed;
        return found != nullptr ? 0 : ENOENT;
    }
}

// Whether another account has this group as its primary group. Anything
// that stops the look through all accounts counts as yes (D-55).
bool isAnotherAccountsPrimaryGroup(gid_t gid, uid_t player)
{
    constexpr int maxAccountsLooked = 100000;
    int failed = 0;
    bool shared = false;
    passwd entry{};
    std::vector<char> buffer;
    ::setpwent();
    for (int looked = 0; !shared; ++looked) {
        failed = lookUp(entry, buffer, ::getpwent_r);
        if (failed != 0)
            break;
        shared = looked == maxAccountsLooked || (entry.pw_gid == gid && entry.pw_uid != player);
    }
    ::endpwent();
    return shared || failed != ENOENT;
}

// Whether the group is the player's own private group (D-40).
bool isPlayersPrivateGroup(gid_t gid, uid_t playerId)
{
    passwd player{};
    std::vector<char> playerBuffer;
    if (lookUp(player, playerBuffer, std::bind_front(::getpwuid_r, playerId)) != 0
        || player.pw_gid != gid)
        return false;
    group entry{};
    std::vector<char> groupBuffer;
    if (lookUp(entry, groupBuffer, std::bind_front(::getgrgid_r, gid)) != 0)
        return false;
    const std::string_view name = player.pw_name;
    if (name != entry.gr_name)
        return false;
    for (char** member = entry.gr_mem; *member != nullptr; ++member)
        if (name != *member)
            return false;
    return !isAnotherAccountsPrimaryGroup(gid, player.pw_uid);
}

// An access list on the folder beyond its mode bits (its mask then stands
// in the group's bits); one that cannot be read may name anyone (D-55).
bool hasExtendedAccessList(int fd)
{
    const ssize_t size = ::fgetxattr(fd, "system.posix_acl_access", nullptr, 0);
    if (size >= 0)
        return size > 0;
    return errno != ENODATA && errno != ENOTSUP;
}

// Reads an open plain file up to `limit` bytes. The buffer is sized by
// what the file holds now, so a small file costs a few hundred bytes, not
// the whole bound; a file that grows meanwhile is still read no further.
FileRead readOpenFile(int fd, const struct stat& info, std::size_t limit)
{
    constexpr std::size_t chunk = 64 * 1024;
    std::string bytes(std::min(limit, static_cast<std::size_t>(info.st_size) + 1), '\0');
    std::size_t filled = 0;
    while (filled < limit) {
        if (filled == bytes.size())
            bytes.resize(std::min(limit, bytes.size() + chunk));
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return {State::Unreadable, {}, errno};
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return {State::Read, std::move(bytes), 0};
}

}  // namespace

Folder Folder::open(const std::filesystem::path& path, std::shared_ptr<const Accounts> accounts)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Folder(nullptr, path, errno, std::move(accounts));
    return Folder(std::make_shared<FileDescriptor>(fd), path, 0, std::move(accounts));
}

Folder Folder::unopened(const std::filesystem::path& path)
{
    return Folder(nullptr, path, ENOENT, systemAccounts());
}

Folder Folder::reopen(int at, std::filesystem::path path) const
{
    const int fd = ::openat(at, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Folder(nullptr, std::move(path), errno, accounts_);
    return Folder(std::make_shared<FileDescriptor>(fd), std::move(path), 0, accounts_);
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
    if (!folder || !S_ISDIR(folder->st_mode) || !accounts_->trusts(*folder)
        || (folder->st_mode & S_IWOTH) != 0)
        return false;
    // Writable by its group only when that group is the player's own
    // private group and no access list names other users or groups.
    return (folder->st_mode & S_IWGRP) == 0
           || (!hasExtendedAccessList(fd())
               && isPlayersPrivateGroup(folder->st_gid, accounts_->player()));
}

bool Folder::writable() const
{
    return isOpen() && ::faccessat(fd(), ".", W_OK | X_OK, AT_EACCESS) == 0;
}

std::optional<struct stat> Folder::entryInfo(const std::string& name) const
{
    struct stat result {};
    if (!isOpen() || ::fstatat(fd(), name.c_str(), &result, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return result;
}

LinkEnd Folder::follow(const std::string& path, Following how) const
{
    const bool making = how == Following::MakingFolders;
    if (!isOpen())
        return LinkEnd{*this, path, 0};
    // The folder reached so far: this one, or one reached on the way,
    // held by a handle that only names it.
    FileDescriptor reached(-1);
    int at = fd();
    std::filesystem::path shown = path_;
    const auto moveTo = [&](FileDescriptor next) {
        reached = std::move(next);
        at = reached.get();
    };
    const auto startAtRoot = [&] {
        moveTo(FileDescriptor(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC)));
        shown = "/";
    };
    const auto endAt = [&](const std::string& name) {
        return LinkEnd{at == fd() ? *this : reopen(at, shown.lexically_normal()), name, 0};
    };
    const auto refused = [&](int why) { return LinkEnd{*this, path, why}; };

    std::string left = path;
    if (left.starts_with('/'))
        startAtRoot();
    for (int links = 0;;) {
        const std::string part = takeFirstPart(left);
        const bool last = left.find_first_not_of('/') == std::string::npos;
        if (part == "..") {
            moveTo(FileDescriptor(::openat(at, "..", O_PATH | O_DIRECTORY | O_CLOEXEC)));
            shown = shown.lexically_normal().parent_path();
        }
        if (part.empty() || part == "." || part == "..") {
            if (last)
                return endAt(".");
            continue;
        }

        FileDescriptor entry(::openat(at, part.c_str(), openAsItself));
        int error = entry.valid() ? 0 : errno;
        if (error == ENOENT && making) {
            error = ::mkdirat(at, part.c_str(), 0700) == 0 || errno == EEXIST ? 0 : errno;
            if (error == 0) {
                entry = FileDescriptor(::openat(at, part.c_str(), openAsItself));
                error = entry.valid() ? 0 : errno;
            }
        }
        struct stat info {};
        if (error == 0 && ::fstat(entry.get(), &info) != 0)
            error = errno;
        if (error == ENOENT && last && !making)
            return endAt(part);  // a file not made yet
        if (error == ENOENT || error == ENOTDIR)
            return refused(error);
        if (error != 0)
            return LinkEnd{Folder(nullptr, shown.lexically_normal(), error, accounts_), part, 0};

        if (S_ISLNK(info.st_mode)) {
            // The system's own rule for links in shared folders, applied to
            // every link on the way: only the player's and root's count.
            if (++links > maxLinkHops)
                return refused(ELOOP);
            if (!accounts_->trusts(info))
                return refused(EPERM);
            // Read through the handle that was judged, so a link swapped
            // meanwhile is never the one read.
            const auto target = readLink(entry.get(), "");
            if (!target || target->empty())
                return refused(ELOOP);
            if (target->starts_with('/'))
                startAtRoot();
            left = *target + "/" + left;
            continue;
        }
        if (last && !making)
            return endAt(part);
        if (!S_ISDIR(info.st_mode))
            return refused(ENOTDIR);
        moveTo(std::move(entry));
        shown /= part;
        if (last)
            return endAt(".");
    }
}

FileRead Folder::read(const std::string& name, std::size_t limit) const
{
    if (!isOpen())
        return {error_ == ENOENT || error_ == ENOTDIR ? State::Missing : State::Unreadable, {},
                error_};
    FileDescriptor file(::openat(fd(), name.c_str(), openForReading));
    if (!file.valid()) {
        const int error = errno;
        if (error == ENOENT)
            return {State::Missing, {}, error};
        const auto entry = entryInfo(name);
        if (error == ELOOP && entry && S_ISLNK(entry->st_mode))
            return {State::Link, {}, error};
        // A socket, or a device without its driver.
        if (entry && !S_ISREG(entry->st_mode) && !S_ISLNK(entry->st_mode))
            return {State::NotPlain, {}, error};
        return {State::Unreadable, {}, error};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return {State::Unreadable, {}, errno};
    if (!S_ISREG(info.st_mode))
        return {State::NotPlain, {}, 0};
    return readOpenFile(file.get(), info, limit);
}

FileRead Folder::readThroughLinks(const std::string& name, std::size_t limit) const
{
    const LinkEnd end = follow(name);
    if (end.refused())
        return {State::Link, {}, ELOOP};
    return end.folder.read(end.name, limit);
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

Replacement Folder::replace(const std::string& name, std::string_view bytes, mode_t mode,
                             const std::string& tempStart, const std::string& tempEnd) const
{
    if (!isOpen())
        return {};
    std::string tempName;
    FileDescriptor file(-1);
    for (int attempt = 0; attempt < 100 && !file.valid(); ++attempt) {
        tempName = uniqueFileName(tempStart, tempEnd);
        // A new file of this process's own, never through a link.
        file = FileDescriptor(::openat(fd(), tempName.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (!file.valid() && errno != EEXIST && errno != EINTR)
            return {};
    }
    if (!file.valid())
        return {};
    const auto old = entryInfo(name);
    if (old && S_ISREG(old->st_mode))
        ::fchmod(file.get(), old->st_mode & 0777);
    const bool written = file.writeAll(bytes) && ::fsync(file.get()) == 0;
    const bool closed = file.close();
    if (!written || !closed || rename(tempName, name) != 0) {
        remove(tempName);
        return {};
    }
    // The renamed entry must reach the disk too; a file system that refuses
    // to flush a folder counts as flushed (D-10).
    if (::fsync(fd()) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP)
        return {true, 0};
    return {true, errno};
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
    return readLink(fd(), name.c_str());
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

namespace {
constexpr std::size_t uniqueLetters = 6;
constexpr std::string_view uniqueAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
}  // namespace

std::optional<long> uniqueFileNameProcess(const std::string& name, const std::string& start,
                                          const std::string& end)
{
    // "<start>.<process>.<letters><end>"
    if (name.size() < start.size() + end.size() + uniqueLetters + 3 || !name.starts_with(start + ".")
        || !name.ends_with(end))
        return std::nullopt;
    const std::string_view middle =
        std::string_view(name).substr(start.size() + 1, name.size() - start.size() - 1 - end.size());
    const std::size_t dot = middle.size() - uniqueLetters - 1;
    if (middle[dot] != '.' || dot == 0 || dot > 10
        || middle.substr(dot + 1).find_first_not_of(uniqueAlphabet) != std::string_view::npos)
        return std::nullopt;
    // Unsigned, so that a sign is no digit.
    unsigned long process = 0;
    const auto [stop, error] = std::from_chars(middle.data(), middle.data() + dot, process);
    if (error != std::errc() || stop != middle.data() + dot)
        return std::nullopt;
    return static_cast<long>(process);
}

std::string uniqueFileName(const std::string& start, const std::string& end)
{
    // The clock, and a count so that two names asked for within one clock
    // tick still differ.
    static std::uint64_t counter = 0;
    std::uint64_t state = clockTicks() + (++counter << 32);
    std::string name = start + "." + std::to_string(::getpid()) + ".";
    for (std::size_t i = 0; i < uniqueLetters; ++i)
        name += uniqueAlphabet[nextMixedBits(state) % uniqueAlphabet.size()];
    return name + end;
}

}  // namespace vermo
