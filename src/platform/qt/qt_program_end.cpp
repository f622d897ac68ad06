// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_program_end.h"

#include <cstdio>
#include <cstdlib>

namespace vermo {

// Returning to the event loop (QApplication::quit) would first run the rest
// of the handler that asked, and std::exit the destructors of windows still
// inside their handlers. The high-score file is already written and closed:
// only the standard streams' buffers are left to save.
void QtProgramEnd::endNow()
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

}  // namespace vermo
