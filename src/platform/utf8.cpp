// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/utf8.h"

#include <bit>
#include <cstdint>

namespace vermo {

bool isValidUtf8(std::string_view text)
{
    // The smallest code point each length may carry; less is an overlong form.
    constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // The lead byte's high one bits count the character's bytes.
        const auto length = static_cast<std::size_t>(std::countl_one(lead));
        if (length == 0) {
            ++i;
            continue;
        }
        if (length == 1 || length > 4 || text.size() - i < length)
            return false;
        std::uint32_t codePoint = lead & (0x7Fu >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        // Surrogates and values beyond U+10FFFF are not UTF-8 either.
        if (codePoint < smallest[length] || (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            || codePoint > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

}  // namespace vermo
