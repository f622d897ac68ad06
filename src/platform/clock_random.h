#pragma once

#include <cstdint>
#include <random>

#include "platform/random_source.h"

namespace vermo {

// The real generator. A reseed mixes the clock into the generator's state
// rather than replacing it, so draws made within the same clock tick still
// differ and a rejected berry cell does not keep coming back.
class ClockRandom : public RandomSource {
public:
    ClockRandom();
    void reseed() override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace vermo
