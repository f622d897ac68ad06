// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vermo {

// Ends the program at once: every window closes and nothing further runs,
// not the rest of the handler that asked for it.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void endNow() = 0;
};

}  // namespace vermo
