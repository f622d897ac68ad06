// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vermo {

// Reads the fields of a sequential text file, as the high-score file and
// the help file are written:
// - blanks before a field are skipped;
// - a text field that begins with a double quote runs to the next double
//   quote (line breaks and commas included), the quotes are not part of
//   it, and anything up to the next comma or line end after it is dropped;
// - any other field runs to the next comma or line end, trailing blanks
//   dropped;
// - a line end (CR LF, CR or LF) ends a field, so a blank line is one
//   empty field.
//
// The reader only looks at the bytes it is given; they must outlive it.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}
    explicit FieldReader(const char* bytes) : bytes_(bytes) {}
    // A temporary text would be gone before the first field is read.
    explicit FieldReader(std::string&&) = delete;

    // Nothing left to read: a further field would fail.
    bool atEnd() const;

    // The next text field; no value when the input ended before it.
    std::optional<std::string> readText();
    // Whether the field read last began with a double quote.
    bool lastTextWasQuoted() const { return quoted_; }

    // The next numeric field; no value when the input ended before it.
    // A field that is not a number reads as 0.
    std::optional<std::int32_t> readNumber();

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool quoted_ = false;

    void skipTo(std::string_view chars);
    void skipDelimiter();
    std::string_view readRaw();
};

// What counts as a number, everywhere in the game (D-08); no value when the
// text is not one.
std::optional<double> parseNumber(std::string_view text);

// A number as a whole 32-bit value: halves go to the even neighbour,
// values beyond the range stop at its ends (D-21).
std::int32_t toInt32(double value);

}  // namespace vermo
