#include "platform/clock_random.h"

#include <chrono>

namespace vermo {

namespace {
std::uint64_t clockTicks()
{
    return static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
}
}  // namespace

ClockRandom::ClockRandom() : engine_(clockTicks()) {}

void ClockRandom::reseed()
{
    const std::uint64_t mixed = engine_() ^ (clockTicks() * 0x9E3779B97F4A7C15ull);
    engine_.seed(mixed);
}

double ClockRandom::next()
{
    // 53 random bits scaled into [0, 1); never 1.0.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace vermo
