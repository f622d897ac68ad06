// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cerrno>
#include <functional>

// Stand-ins for a few system calls, for the races and failures a test
// cannot make happen otherwise. The test program's own definitions take
// the calls; each runs the real call unless a test has armed it, and
// only for as long as the arming object lives.
namespace vermo::testing {

// Runs `between` once, just before the next link's target is read: after
// the game has judged the link, before it learns where the link leads.
class BeforeNextLinkRead {
public:
    explicit BeforeNextLinkRead(std::function<void()> between);
    ~BeforeNextLinkRead();
    BeforeNextLinkRead(const BeforeNextLinkRead&) = delete;
    BeforeNextLinkRead& operator=(const BeforeNextLinkRead&) = delete;
};

// Flushing a folder (or a plain file) to the disk fails with `error`.
class FailingFlush {
public:
    enum class Of { Folders, Files };
    explicit FailingFlush(Of what, int error = EIO);
    ~FailingFlush();
    FailingFlush(const FailingFlush&) = delete;
    FailingFlush& operator=(const FailingFlush&) = delete;
};

// Making a symbolic link fails, as on a file system without links.
class FailingLinks {
public:
    FailingLinks();
    ~FailingLinks();
    FailingLinks(const FailingLinks&) = delete;
    FailingLinks& operator=(const FailingLinks&) = delete;
};

// The group `gid` lists `member` among its members too.
class ExtraGroupMember {
public:
    ExtraGroupMember(gid_t gid, const char* member);
    ~ExtraGroupMember();
    ExtraGroupMember(const ExtraGroupMember&) = delete;
    ExtraGroupMember& operator=(const ExtraGroupMember&) = delete;
};

// Looking through the accounts fails with `error` the next `times` times.
class FailingAccountList {
public:
    FailingAccountList(int error, int times);
    ~FailingAccountList();
    FailingAccountList(const FailingAccountList&) = delete;
    FailingAccountList& operator=(const FailingAccountList&) = delete;
};

// Reading a folder's access list fails with a disk error.
class FailingAccessListRead {
public:
    FailingAccessListRead();
    ~FailingAccessListRead();
    FailingAccessListRead(const FailingAccessListRead&) = delete;
    FailingAccessListRead& operator=(const FailingAccessListRead&) = delete;
};

}  // namespace vermo::testing
