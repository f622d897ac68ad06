// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/program_end.h"

namespace vermo {

// Ends the process on the spot (D-25).
class QtProgramEnd : public ProgramEnd {
public:
    [[noreturn]] void endNow() override;
};

}  // namespace vermo
