// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>

namespace vermo {

// The one bit mixer of the game (splitmix64): each call steps `state` and
// returns a well-spread 64-bit value, so neighbouring states give unrelated
// results. It fills the random generator from the clock and makes the
// letters of temporary file names.
inline std::uint64_t nextMixedBits(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// The steady clock's ticks, from which both users of the mixer start.
inline std::uint64_t clockTicks()
{
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace vermo
