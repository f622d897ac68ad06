// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <memory>

namespace vermo {

// Whose files are whose (D-74), for the trust rule of docs/robustness.md
// ("Trust").
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
