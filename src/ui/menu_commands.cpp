// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu: File, View and Help.
#include "game/vermo_game.h"

namespace vermo {

void VermoGame::Newgame_Click()
{
    newgames();
}

// Ends the program at once; the running game's score is not recorded.
void VermoGame::Exit_Click()
{
    services_.programEnd.endNow();
}

void VermoGame::High_Click()
{
    services_.windows.showHighScores();
}

void VermoGame::Help_Click()
{
    services_.windows.showHelp();
}

// The About box stops no timer: a running game goes on behind it.
void VermoGame::About_Click()
{
    services_.dialogs.message(
        "Vermo Version 0.8 BETA By Tobrin. Major Known Bug Is Self Collision on Tight Turns. "
        "Version Finished June 17, 2004, Enjoy Your Time Playing It",
        "About");
}

}  // namespace vermo
