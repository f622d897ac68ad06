// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock_random.h"

#include <bit>

#include "platform/mixed_bits.h"

namespace vermo {

ClockRandom::ClockRandom()
{
    // The clock spread over the whole state.
    std::uint64_t seed = clockTicks();
    for (auto& word : state_)
        word = nextMixedBits(seed);
}

void ClockRandom::reseed()
{
    state_[0] ^= clockTicks() * 0x9E3779B97F4A7C15ull;
    nextBits();
}

std::uint64_t ClockRandom::nextBits()
{
    const std::uint64_t result = std::rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = std::rotl(state_[3], 45);
    return result;
}

double ClockRandom::next()
{
    // 53 random bits scaled into [0, 1); never 1.0.
    return static_cast<double>(nextBits() >> 11) * 0x1.0p-53;
}

}  // namespace vermo
