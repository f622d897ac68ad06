// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "bench_services.h"
#include "board_layouts.h"

namespace vermo::bench {

// A course on which the movement tick can run for ever without ending the
// game or eating. The head runs a serpentine through rows 1 to 11 and
// never comes back to a cell it left; the body and the poison lie in rows
// 13 to 23 (a body longer than that region lies over itself, which the
// rules allow, as only the head is ever tested) and the berry waits on
// row 12. So every tick runs all its tests and moves the whole worm.
// After the last cell of the course the board is put back as it was.
class TickCourse {
public:
    TickCourse(int segments, int poisonItems);

    VermoGame& game() { return *bench_.game; }

    // One tick through the movement timer, as the window's timer delivers
    // it, then the key handler's work for the next step: one direction
    // flag set, three cleared.
    void tick();

    bool atEnd() const { return step_ + 1 >= headPath_.size(); }

    // Checks that the head went where the course says and that nothing
    // was eaten; then puts the board back for a new round.
    bool restart();

private:
    void steer();

    BenchGame bench_;
    std::vector<Cell> headPath_ = serpentine(1, 11);
    FormState start_;
    std::size_t step_ = 0;
};

}  // namespace vermo::bench
