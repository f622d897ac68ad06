// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a text file: the help window's first field, then text and
// number fields in a mix chosen by the input itself, until nothing is left.
// Every read either yields a field and moves on, or reports the end.

#include "platform/text_fields.h"
#include "scores/score_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vermo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    FieldReader reader(bytes);
    const bool emptyFile = reader.atEnd();
    const auto help = reader.readText();
    require(emptyFile != help.has_value());
    require(!help || help->size() <= size);

    // Each field uses up at least one byte, so the loop is bounded.
    std::size_t fields = 0;
    while (!reader.atEnd()) {
        require(++fields <= size);
        if (data[fields % size] & 1) {
            require(reader.readNumber().has_value());
        } else {
            const auto text = reader.readText();
            require(text && text->size() <= size);
        }
    }
    require(!reader.readText() && !reader.readNumber());

    if (const auto value = parseNumber(bytes)) {
        require(!std::isnan(*value));
        toInt32(*value);
    }

    const std::string name = safeName(std::string(bytes));
    require(name.size() <= maxNameBytes && name.size() <= size);
    for (const char c : name)
        require(c != '"' && static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
    return 0;
}
