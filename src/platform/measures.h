// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace vermo {

// The game measures in twips (1440 to the logical inch) and, in the main
// window, in centimetres (1440 / 2.54 twips); pixels appear only on the
// screen side.
inline constexpr double twipsPerInch = 1440.0;
inline constexpr double cmPerInch = 2.54;
inline constexpr double twipsPerCm = twipsPerInch / cmPerInch;

// Colours are 24-bit values &H00BBGGRR&.
using Color = std::uint32_t;

}  // namespace vermo
