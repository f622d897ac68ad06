// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/timer.h"

namespace vermo {

bool Timer::fire()
{
    if (running_ || !handler_)
        return false;
    running_ = true;
    // Reset even when the handler leaves by an exception (the test
    // stand-in for "the program ends at once" throws).
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running_};
    handler_();
    return true;
}

}  // namespace vermo
