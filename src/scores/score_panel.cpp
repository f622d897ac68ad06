// SPDX-License-Identifier: GPL-3.0-or-later
// The best-score panel follows the high-score file every five seconds.
#include "game/vermo_game.h"

namespace vermo {

void VermoGame::tmscoreupdate_Timer()
{
    // The table is spoken for while the game-over name prompt waits (D-23).
    if (highScoreEntryPending)
        return;
    // A file that cannot be read (gone, damaged, or not yet rewritten while
    // the start-up message is open) leaves the panel as it is.
    if (readTable())
        showBestOnPanel();
}

}  // namespace vermo
