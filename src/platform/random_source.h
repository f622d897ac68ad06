// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vermo {

// The game's random generator: reseeded from the clock before every draw.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    // Uniform in [0, 1).
    virtual double next() = 0;
};

// One draw with n outcomes: reseed, then Int(Rnd * n) + 1, a whole number
// from 1 to n, each with the same chance.
inline int drawOneTo(RandomSource& random, int n)
{
    random.reseed();
    return static_cast<int>(random.next() * n) + 1;
}

}  // namespace vermo
