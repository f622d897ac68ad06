// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <memory>

namespace vermo {

// Whose files are whose. The game follows only links that the player or
// root made, and calls a folder the player's only when it is theirs or
// root's; docs/robustness.md ("Trust") states the whole rule.
class Accounts {
public:
    virtual ~Accounts() = default;
    // The player: the user the game runs as.
    virtual uid_t player() const = 0;
    // The user who made the file, folder or link `entry` describes.
    virtual uid_t ownerOf(const struct stat& entry) const = 0;

    // Made by the player or by root.
    bool trusts(const struct stat& entry) const
    {
        const uid_t owner = ownerOf(entry);
        return owner == player() || owner == 0;
    }
};

// The system's answer: the user the game runs as, and the owner each file
// records.
std::shared_ptr<const Accounts> systemAccounts();

}  // namespace vermo
