// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "platform/random_source.h"

namespace vermo {

// The real generator: xoshiro256**, whose reseed mixes the clock into its
// state rather than replacing it (D-07).
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
