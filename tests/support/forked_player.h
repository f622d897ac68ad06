// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <functional>

namespace vermo::testing {

// Two players who are not root and share a group, for tests that run as
// root and play the parts of other users.
inline constexpr uid_t firstPlayer = 64101, secondPlayer = 64102;
inline constexpr gid_t sharedGroup = 64100;

bool isRoot();

// Forks a process that runs `body` and exits with its result. When this is
// root, the process first becomes `player`, with the shared group as its
// group; otherwise it stays this user. Files it makes are not writable by
// the group.
pid_t startAs(uid_t player, const std::function<int()>& body);

// Waits for the process; its exit code, or -1 when it did not exit.
int finish(pid_t process);

// The number of a process that has come and gone, as a copy of the game
// that ended would leave in its temporary files' names.
pid_t endedProcess();

// Runs `body` to its end as `player` (as above); true when it returned true.
bool runAs(uid_t player, const std::function<bool()>& body);

}  // namespace vermo::testing
