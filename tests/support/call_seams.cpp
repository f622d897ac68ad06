// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/call_seams.h"

#include <dlfcn.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace vermo::testing {
namespace {

std::function<void()> beforeLinkRead;
bool failFolderFlush = false, failFileFlush = false;
int flushError = EIO;
bool addMember = false;
bool failLinks = false;
gid_t extendedGroup = 0;
const char* extraMember = nullptr;
int accountListError = 0, accountListFailures = 0;
bool failAccessListRead = false;

template <typename Call>
Call real(Call, const char* name)
{
    return reinterpret_cast<Call>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

BeforeNextLinkRead::BeforeNextLinkRead(std::function<void()> between)
{
    beforeLinkRead = std::move(between);
}
BeforeNextLinkRead::~BeforeNextLinkRead() { beforeLinkRead = nullptr; }

FailingFlush::FailingFlush(Of what, int error)
{
    (what == Of::Folders ? failFolderFlush : failFileFlush) = true;
    flushError = error;
}
FailingFlush::~FailingFlush() { failFolderFlush = failFileFlush = false; }

FailingLinks::FailingLinks() { failLinks = true; }
FailingLinks::~FailingLinks() { failLinks = false; }

ExtraGroupMember::ExtraGroupMember(gid_t gid, const char* member)
{
    addMember = true;
    extendedGroup = gid;
    extraMember = member;
}
ExtraGroupMember::~ExtraGroupMember() { addMember = false; }

FailingAccountList::FailingAccountList(int error, int times)
{
    accountListError = error;
    accountListFailures = times;
}
FailingAccountList::~FailingAccountList() { accountListFailures = 0; }

FailingAccessListRead::FailingAccessListRead() { failAccessListRead = true; }
FailingAccessListRead::~FailingAccessListRead() { failAccessListRead = false; }

}  // namespace vermo::testing

using namespace vermo::testing;

extern "C" ssize_t readlinkat(int at, const char* __restrict path, char* __restrict buffer,
                              size_t size) noexcept
{
    static const auto call = real(&readlinkat, "readlinkat");
    if (beforeLinkRead)
        std::exchange(beforeLinkRead, nullptr)();
    return call(at, path, buffer, size);
}

extern "C" int fsync(int fd)
{
    static const auto call = real(&fsync, "fsync");
    struct stat info {};
    if ((failFolderFlush || failFileFlush) && ::fstat(fd, &info) == 0
        && (failFolderFlush ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode))) {
        errno = flushError;
        return -1;
    }
    return call(fd);
}

extern "C" int getpwent_r(struct passwd* __restrict entry, char* __restrict buffer, size_t size,
                          struct passwd** __restrict found)
{
    static const auto call = real(&getpwent_r, "getpwent_r");
    if (accountListFailures > 0) {
        --accountListFailures;
        *found = nullptr;
        return accountListError;
    }
    return call(entry, buffer, size, found);
}

extern "C" ssize_t fgetxattr(int fd, const char* name, void* value, size_t size) noexcept
{
    static const auto call = real(&fgetxattr, "fgetxattr");
    if (failAccessListRead) {
        errno = EIO;
        return -1;
    }
    return call(fd, name, value, size);
}

extern "C" int getgrgid_r(gid_t gid, struct group* __restrict entry, char* __restrict buffer,
                          size_t size, struct group** __restrict found)
{
    static const auto call = real(&getgrgid_r, "getgrgid_r");
    const int result = call(gid, entry, buffer, size, found);
    if (result != 0 || *found == nullptr || !addMember || gid != extendedGroup)
        return result;
    // The members the system gave, then the extra one; kept until the next call.
    static std::vector<char*> members;
    members.clear();
    for (char** member = entry->gr_mem; *member != nullptr; ++member)
        members.push_back(*member);
    members.push_back(const_cast<char*>(extraMember));
    members.push_back(nullptr);
    entry->gr_mem = members.data();
    return 0;
}

extern "C" int symlinkat(const char* target, int at, const char* name) noexcept
{
    static const auto call = real(&symlinkat, "symlinkat");
    if (failLinks) {
        errno = EPERM;
        return -1;
    }
    return call(target, at, name);
}
