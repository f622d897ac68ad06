// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <set>
#include <utility>

#include "platform/accounts.h"
#include "support/forked_player.h"

namespace vermo::testing {

// Accounts in which the game runs as firstPlayer, the files this test
// process makes are hers, and those handed to secondPlayer are his: the
// owner rule tried without root. The game is given these in place of the
// system's accounts.
class OtherUsers : public Accounts {
public:
    uid_t player() const override { return firstPlayer; }
    uid_t ownerOf(const struct stat& entry) const override;

    // The file, folder or link at `path` (not followed) is secondPlayer's.
    void give(const std::filesystem::path& path);

private:
    std::set<std::pair<dev_t, ino_t>> his_;
};

}  // namespace vermo::testing
