// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/accounts.h"

#include <unistd.h>

namespace vermo {

namespace {
class SystemAccounts : public Accounts {
public:
    uid_t player() const override { return ::geteuid(); }
    uid_t ownerOf(const struct stat& entry) const override { return entry.st_uid; }
};
}  // namespace

std::shared_ptr<const Accounts> systemAccounts()
{
    static const auto accounts = std::make_shared<const SystemAccounts>();
    return accounts;
}

}  // namespace vermo
