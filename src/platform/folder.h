// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accounts.h"
#include "platform/file_descriptor.h"

namespace vermo {

// What reading a file found.
struct FileRead {
    enum class State {
        Read,        // bytes holds the file's first bytes, up to the limit
        Missing,     // nothing by that name
        NotPlain,    // a folder, a named pipe, a device or a socket
        Link,        // a link the game does not follow there
        Unreadable,  // it is there, but reading it failed (error says why)
    };
    State state = State::Missing;
    std::string bytes;
    int error = 0;

    bool read() const { return state == State::Read; }
};

// What replacing a file did.
struct Replacement {
    bool written = false;  // the new file stands under the name
    // Why the folder's new entry could not be flushed to the disk (an errno
    // value), or 0; the new file then stands but may not outlast a power cut.
    int folderNotFlushed = 0;

    explicit operator bool() const { return written; }
};

// How far Folder::follow goes.
enum class Following {
    ToName,         // to the entry the last part names, which may not exist yet
    MakingFolders,  // every part is a folder, made for the player when missing
};

struct LinkEnd;

// An open folder: every file the game touches in its folder is named
// relative to its handle, so nothing can be swapped between a check and
// its use (docs/robustness.md, "Trust"). A folder that could not be opened
// keeps the reason, and every operation in it fails with that reason.
// Copies share the one open handle.
class Folder {
public:
    Folder() = default;

    // Opens a folder by its path (links along the way are the system's to
    // follow). `accounts` says whose files are whose, here and in every
    // folder reached from it.
    static Folder open(const std::filesystem::path& path,
                       std::shared_ptr<const Accounts> accounts = systemAccounts());
    // A folder the game does not open, named for what the player is told.
    static Folder unopened(const std::filesystem::path& path);

    bool isOpen() const { return handle_ != nullptr; }
    // Why the folder is not open (an errno value); 0 when it is.
    int openError() const { return isOpen() ? 0 : error_; }
    const std::filesystem::path& path() const { return path_; }

    const Accounts& accounts() const { return *accounts_; }

    std::optional<struct stat> info() const;
    // Whether the folder is plainly the player's (D-40).
    bool isPlayers() const;
    // Whether the player may make and remove files in it.
    bool writable() const;

    // What stands at `name`, without following a link.
    std::optional<struct stat> entryInfo(const std::string& name) const;

    // Follows `path` (relative to this folder, or absolute) one part at a
    // time, through the links the game follows; see LinkEnd.
    LinkEnd follow(const std::string& path, Following how = Following::ToName) const;

    // Reads at most `limit` bytes of the plain file at `name`. A link there
    // is not followed (State::Link). The open never waits, so a named pipe
    // put in a file's place cannot hang the game.
    FileRead read(const std::string& name, std::size_t limit) const;
    // The same through the links the game follows; a link it does not
    // follow reads as State::Link.
    FileRead readThroughLinks(const std::string& name, std::size_t limit) const;

    // A handle of its own on this folder (a new open, not the shared one),
    // so that a lock taken on it lasts as long as that handle. Invalid on
    // failure; `error` says why.
    FileDescriptor openAgain(int& error) const;
    // Puts `bytes` under `name` in one step (D-10): into a new file named
    // uniqueFileName(tempStart, tempEnd), flushed, renamed over `name`, then
    // the folder flushed. The new file keeps the permissions of the plain
    // file it replaces, or gets `mode`. When it cannot be written, the old
    // file stays untouched and no temporary file is left.
    Replacement replace(const std::string& name, std::string_view bytes, mode_t mode,
                        const std::string& tempStart, const std::string& tempEnd) const;
    // Each 0 or errno.
    int rename(const std::string& from, const std::string& to) const;
    int remove(const std::string& name) const;
    int makeLink(const std::string& target, const std::string& name) const;
    // What the link `name` points to.
    std::optional<std::string> linkTarget(const std::string& name) const;
    // The names in the folder, at most `limit` of them.
    std::vector<std::string> names(std::size_t limit) const;

private:
    Folder(std::shared_ptr<FileDescriptor> handle, std::filesystem::path path, int error,
           std::shared_ptr<const Accounts> accounts)
        : handle_(std::move(handle)), path_(std::move(path)), error_(error),
          accounts_(std::move(accounts))
    {
    }
    // Opens the folder `at` names (a handle that may only name it) for
    // every operation.
    Folder reopen(int at, std::filesystem::path path) const;
    int fd() const { return handle_ ? handle_->get() : -1; }

    std::shared_ptr<FileDescriptor> handle_;
    std::filesystem::path path_;
    int error_ = ENOENT;
    std::shared_ptr<const Accounts> accounts_ = systemAccounts();
};

// Where following a path ended.
struct LinkEnd {
    // The folder reached and the name of the last part in it (a file, which
    // may not exist yet); with MakingFolders, the last folder itself, named
    // ".". A folder on the way that the player may not look into ends it,
    // closed with the reason, so whatever lies behind it reads as unreadable.
    Folder folder;
    std::string name;
    // Why the path is not followed, or 0: EPERM for a link another user
    // made, ELOOP for a chain too long, ENOENT or ENOTDIR for a way
    // through a folder that does not exist or is no folder. folder and
    // name are then this folder and the path itself.
    int refusal = 0;

    bool refused() const { return refusal != 0; }
};

// A name for a temporary file that no other process can pick (D-15): the
// given start, this process's number, random letters and the given end.
std::string uniqueFileName(const std::string& start, const std::string& end);
// Whether `name` is one that uniqueFileName(start, end) gives; the process
// that made it.
std::optional<long> uniqueFileNameProcess(const std::string& name, const std::string& start,
                                          const std::string& end);

}  // namespace vermo
