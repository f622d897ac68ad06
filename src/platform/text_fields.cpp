// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_fields.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vermo {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isDelimiter(char c) { return c == ',' || isLineEnd(c); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool FieldReader::atEnd() const
{
    // Trailing blanks are no field: a read there would find nothing.
    for (std::size_t i = pos_; i < bytes_.size(); ++i) {
        if (!isBlank(bytes_[i]))
            return false;
    }
    return true;
}

void FieldReader::skipBlanks()
{
    while (pos_ < bytes_.size() && isBlank(bytes_[pos_]))
        ++pos_;
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
    skipBlanks();
    quoted_ = pos_ < bytes_.size() && bytes_[pos_] == '"';
    if (quoted_) {
        const std::size_t start = pos_ + 1;
        std::size_t close = bytes_.find('"', start);
        if (close == std::string_view::npos)
            close = bytes_.size();  // an open quote runs to the end
        const std::string_view value = bytes_.substr(start, close - start);
        pos_ = close < bytes_.size() ? close + 1 : close;
        // Whatever follows the closing quote up to the field's end is dropped.
        while (pos_ < bytes_.size() && !isDelimiter(bytes_[pos_]))
            ++pos_;
        skipDelimiter();
        return value;
    }
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && !isDelimiter(bytes_[pos_]))
        ++pos_;
    std::size_t end = pos_;
    while (end > start && isBlank(bytes_[end - 1]))
        --end;
    skipDelimiter();
    return bytes_.substr(start, end - start);
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
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t numberStart = pos;
    std::size_t integerDigits = 0;
    bool integerHasNonZero = false;
    while (pos < text.size() && isDigit(text[pos])) {
        integerHasNonZero = integerHasNonZero || text[pos] != '0';
        ++integerDigits;
        ++pos;
    }
    std::size_t fractionDigits = 0;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            ++fractionDigits;
            ++pos;
        }
    }
    if (integerDigits + fractionDigits == 0)
        return std::nullopt;
    const std::size_t numberEnd = pos;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos != text.size())
        return std::nullopt;

    // The digits are checked above; from_chars only converts them, in the
    // same way whatever the locale.
    double magnitude = 0.0;
    const char* first = text.data() + numberStart;
    const char* last = text.data() + numberEnd;
    const auto result = std::from_chars(first, last, magnitude, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large for a double, or so close to zero that it is zero.
        magnitude = integerHasNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc() || result.ptr != last) {
        return std::nullopt;
    }
    return negative ? -magnitude : magnitude;
}

std::int32_t toInt32(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);  // halves to the even neighbour
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(rounded);
}

}  // namespace vermo
