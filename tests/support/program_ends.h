// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-ins for ending the program at once, so a test can see it happen.

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "platform/program_end.h"

namespace vermo::testing {

struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("the program ended") {}
};

class ThrowingProgramEnd : public ProgramEnd {
public:
    [[noreturn]] void endNow() override
    {
        ++ends;
        throw ProgramEnded();
    }
    int ends = 0;
};

// Ends the test's process the way the game ends: at once, with nothing
// further run. A throwing stand-in would unwind through Qt's menu code,
// which is not built to be unwound, so tests watch this one in a death test.
inline constexpr int programEndedCode = 3;

class ExitingProgramEnd : public ProgramEnd {
public:
    [[noreturn]] void endNow() override
    {
        std::fputs("the program ended\n", stderr);
        std::fflush(stderr);
        std::_Exit(programEndedCode);
    }
};

}  // namespace vermo::testing
