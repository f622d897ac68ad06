// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace vermo {

namespace {

constexpr std::string_view blanks = " \t";
constexpr std::string_view delimiters = ",\r\n";

}  // namespace

bool FieldReader::atEnd() const
{
    // Trailing blanks are no field: a read there would find nothing.
    return bytes_.find_first_not_of(blanks, pos_) == std::string_view::npos;
}

// Moves to the first of `chars` from here on, or to the end.
void FieldReader::skipTo(std::string_view chars)
{
    pos_ = std::min(bytes_.find_first_of(chars, pos_), bytes_.size());
}

// Consumes one comma or one line end (CR LF counts as one), if any.
void FieldReader::skipDelimiter()
{
    if (pos_ >= bytes_.size())
        return;
    const char c = bytes_[pos_++];
    if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n')
        ++pos_;
}

std::string_view FieldReader::readRaw()
{
    pos_ = std::min(bytes_.find_first_not_of(blanks, pos_), bytes_.size());
    quoted_ = pos_ < bytes_.size() && bytes_[pos_] == '"';
    if (quoted_) {
        const std::size_t start = ++pos_;
        skipTo("\"");  // an open quote runs to the end
        const std::string_view value = bytes_.substr(start, pos_ - start);
        // Whatever follows the closing quote up to the field's end is dropped.
        skipTo(delimiters);
        skipDelimiter();
        return value;
    }
    const std::size_t start = pos_;
    skipTo(delimiters);
    const std::string_view value = bytes_.substr(start, pos_ - start);
    skipDelimiter();
    return value.substr(0, value.find_last_not_of(blanks) + 1);
}

std::optional<std::string> FieldReader::readText()
{
    if (atEnd())
        return std::nullopt;
    return std::string(readRaw());
}

std::optional<std::int32_t> FieldReader::readNumber()
{
    if (atEnd())
        return std::nullopt;
    const auto value = parseNumber(readRaw());
    return value ? toInt32(*value) : 0;
}

std::optional<double> parseNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(blanks) + 1 - first);
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+')
        text.remove_prefix(1);
    // Digits with at most one decimal point: from_chars alone would also
    // take "inf", "nan" and a sign of its own. It only converts them, in the
    // same way whatever the locale.
    const std::size_t point = text.find('.');
    if (text.find_first_not_of(".0123456789") != std::string_view::npos
        || point != text.rfind('.') || text.find_first_of("0123456789") == std::string_view::npos)
        return std::nullopt;
    double magnitude = 0.0;
    const char* last = text.data() + text.size();
    const auto result = std::from_chars(text.data(), last, magnitude, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large for a double, or so close to zero that it is zero.
        const bool large = text.substr(0, point).find_first_not_of('0') != std::string_view::npos;
        magnitude = large ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc() || result.ptr != last) {
        return std::nullopt;
    }
    return negative ? -magnitude : magnitude;
}

std::int32_t toInt32(double value)
{
    if (std::isnan(value))
        return 0;
    // Halves go to the even neighbour.
    return static_cast<std::int32_t>(
        std::clamp(std::nearbyint(value), double{std::numeric_limits<std::int32_t>::min()},
                   double{std::numeric_limits<std::int32_t>::max()}));
}

}  // namespace vermo
