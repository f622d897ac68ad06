// SPDX-License-Identifier: GPL-3.0-or-later
#include "tick_course.h"

namespace vermo::bench {

TickCourse::TickCourse(int segments, int poisonItems)
{
    VermoGame& g = game();
    putHead(g, headPath_[0]);
    const auto lowerRows = serpentine(13, 23);
    layBody(g, segments - 1, lowerRows);
    layPoison(g, poisonItems, std::vector<Cell>(lowerRows.rbegin(), lowerRows.rend()));
    g.berry.Left = gridCoordinate(12);
    g.berry.Top = gridCoordinate(12);
    g.berryKind = 1;
    g.speed = 20;
    bench_.tmvermomove.setInterval(10);
    bench_.tmvermomove.setEnabled(true);
    start_ = g;
    steer();
}

void TickCourse::tick()
{
    bench_.tmvermomove.fire();
    ++step_;
    steer();
}

bool TickCourse::restart()
{
    VermoGame& g = game();
    const Cell last = headPath_[step_];
    const bool onCourse = g.vermo(0).Left == gridCoordinate(last.column) &&
                          g.vermo(0).Top == gridCoordinate(last.row) && g.score == 0;
    static_cast<FormState&>(g) = start_;
    step_ = 0;
    steer();
    return onCourse;
}

void TickCourse::steer()
{
    if (atEnd())
        return;
    VermoGame& g = game();
    const Cell from = headPath_[step_], to = headPath_[step_ + 1];
    g.movingRight = to.column > from.column;
    g.movingLeft = to.column < from.column;
    g.movingDown = to.row > from.row;
    g.movingUp = to.row < from.row;
}

}  // namespace vermo::bench
