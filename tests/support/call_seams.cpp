// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/call_seams.h"

#include <dlfcn.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace vermo::testing {
namespace {

std::function<void()> beforeLinkRead;
bool failFolderFlush = false, failFileFlush = false;
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

FailingFlush::FailingFlush(Of what)
{
    (what == Of::Folders ? failFolderFlush : failFileFlush) = true;
}
FailingFlush::~FailingFlush() { failFolderFlush = failFileFlush = false; }

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
        errno = EIO;
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
