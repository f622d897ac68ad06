// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <filesystem>
#include <set>
#include <utility>

#include "platform/accounts.h"
#include "support/forked_player.h"

namespace vermo::testing {

// Accounts in which the game runs as firstPlayer, the files this test
// process makes are hers, and those handed to secondPlayer are his: the
// owner rule tried without root.
class OtherUsers : public Accounts {
public:
    uid_t player() const override { return firstPlayer; }
    uid_t ownerOf(const struct stat& entry) const override
    {
        if (his_.count({entry.st_dev, entry.st_ino}) != 0)
            return secondPlayer;
        return entry.st_uid == ::geteuid() ? firstPlayer : entry.st_uid;
    }
    // The file, folder or link at `path` (not followed) is secondPlayer's.
    void give(const std::filesystem::path& path)
    {
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0)
            his_.insert({info.st_dev, info.st_ino});
    }

private:
    std::set<std::pair<dev_t, ino_t>> his_;
};

}  // namespace vermo::testing
