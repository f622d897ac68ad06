// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace vermo {

// Whether bytes form UTF-8 as it is written today: no overlong forms, no
// surrogates, nothing beyond U+10FFFF. Names and help text that pass are
// read as UTF-8, anything else as a single-byte code page.
bool isValidUtf8(std::string_view bytes);

}  // namespace vermo
