// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_program_end.h"

#include <cstdio>
#include <cstdlib>

namespace vermo {

// "No" to "New Game?" and File > Exit end the game at once: not the rest
// of the tick or menu handler that asked, not another prompt, not a
// timer tick. Returning to the event loop (QApplication::quit) would run
// all of those first, and std::exit would run destructors of windows that
// are still inside their handlers. The high-score file is always written
// and closed before this point, so the only thing left to save is what
// sits in the standard streams' buffers.
void QtProgramEnd::endNow()
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

}  // namespace vermo
