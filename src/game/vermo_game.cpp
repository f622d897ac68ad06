// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/vermo_game.h"

namespace vermo {

namespace {
// A timer in its design state, handing its ticks to `tick`.
void setUpTimer(Timer& timer, int interval, bool enabled, Timer::Handler tick)
{
    timer.setInterval(interval);
    timer.setEnabled(enabled);
    timer.onTick(std::move(tick));
}
}  // namespace

VermoGame::VermoGame(Services services) : services_(std::move(services))
{
    setUpTimer(services_.tmscoreupdate, scoreUpdateInterval, true, [this] { tmscoreupdate_Timer(); });
    setUpTimer(services_.tmvermomove, designMoveInterval, true, [this] { tmvermomove_Timer(); });
    setUpTimer(services_.tmshake, effectInterval, false, [this] { tmshake_Timer(); });
    setUpTimer(services_.tminvisible, effectInterval, false, [this] { tminvisible_Timer(); });
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

}  // namespace vermo
