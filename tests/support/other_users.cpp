// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/other_users.h"

#include <unistd.h>

namespace vermo::testing {

uid_t OtherUsers::ownerOf(const struct stat& entry) const
{
    if (his_.count({entry.st_dev, entry.st_ino}) != 0)
        return secondPlayer;
    return entry.st_uid == ::geteuid() ? firstPlayer : entry.st_uid;
}

void OtherUsers::give(const std::filesystem::path& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0)
        his_.insert({info.st_dev, info.st_ino});
}

}  // namespace vermo::testing
