// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/forked_player.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vermo::testing {

bool isRoot() { return ::geteuid() == 0; }

pid_t startAs(uid_t player, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    ::umask(022);
    if (isRoot()) {
        const gid_t groups[] = {sharedGroup};
        if (::setgroups(1, groups) != 0 || ::setresgid(sharedGroup, sharedGroup, sharedGroup) != 0
            || ::setresuid(player, player, player) != 0)
            ::_exit(3);
    }
    ::_exit(body());
}

int finish(pid_t process)
{
    int status = 0;
    ::waitpid(process, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    finish(child);
    return child;
}

bool runAs(uid_t player, const std::function<bool()>& body)
{
    return finish(startAs(player, [&] { return body() ? 0 : 1; })) == 0;
}

}  // namespace vermo::testing
