// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/vermo_game.h"

#include <string>

namespace vermo {

VermoGame::VermoGame(Services services) : services_(std::move(services))
{
    // The four timers in their design states.
    services_.tmscoreupdate.setInterval(scoreUpdateInterval);
    services_.tmscoreupdate.setEnabled(true);
    services_.tmscoreupdate.onTick([this] { tmscoreupdate_Timer(); });

    services_.tmvermomove.setInterval(designMoveInterval);
    services_.tmvermomove.setEnabled(true);
    services_.tmvermomove.onTick([this] { tmvermomove_Timer(); });

    services_.tmshake.setInterval(effectInterval);
    services_.tmshake.setEnabled(false);
    services_.tmshake.onTick([this] { tmshake_Timer(); });

    services_.tminvisible.setInterval(effectInterval);
    services_.tminvisible.setEnabled(false);
    services_.tminvisible.onTick([this] { tminvisible_Timer(); });
}

void VermoGame::setAllSegmentColours(Color head, Color body)
{
    vermo(0).FillColor = head;
    vermo(0).BorderColor = head;
    for (segmentIndex = static_cast<std::int16_t>(vermo.highest()); segmentIndex >= 1; --segmentIndex) {
        vermo(segmentIndex).FillColor = body;
        vermo(segmentIndex).BorderColor = body;
    }
}

std::string decimal(long long value)
{
    return std::to_string(value);
}

}  // namespace vermo
