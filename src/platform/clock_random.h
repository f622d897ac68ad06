// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "platform/random_source.h"

namespace vermo {

// The real generator (xoshiro256**). A reseed mixes the clock into the
// generator's state rather than replacing it, so draws made within the same
// clock tick still differ and a rejected berry cell does not keep coming
// back; it costs a few nanoseconds, as every single draw is preceded by one
// (D-07).
class ClockRandom : public RandomSource {
public:
    ClockRandom();
    void reseed() override;
    double next() override;

private:
    std::uint64_t nextBits();
    std::array<std::uint64_t, 4> state_{};
};

}  // namespace vermo
