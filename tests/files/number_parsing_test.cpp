// SPDX-License-Identifier: GPL-3.0-or-later
// What counts as a number in the game (speed answers, scores in the file)
// and how a number becomes a whole 32-bit value.

#include "platform/text_fields.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

using vermo::FieldReader;
using vermo::parseNumber;
using vermo::toInt32;

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();

TEST(NumberForms, PlainDecimalsWithSignsBlanksAndPoints)
{
    const std::pair<const char*, double> accepted[] = {
        {"0", 0.0},       {"7", 7.0},       {" 7 ", 7.0},    {"\t7\t", 7.0},  {"+5", 5.0},
        {"-5", -5.0},     {".5", 0.5},      {"5.", 5.0},     {"5.25", 5.25},  {"-.5", -0.5},
        {"+0.75", 0.75},  {"007", 7.0},     {"20", 20.0},    {"2.5", 2.5},    {"  -12.125  ", -12.125},
    };
    for (const auto& [text, value] : accepted) {
        const auto parsed = parseNumber(text);
        ASSERT_TRUE(parsed) << '"' << text << '"';
        EXPECT_EQ(*parsed, value) << '"' << text << '"';
    }
}

TEST(NumberForms, EverythingElseIsNotANumber)
{
    const char* rejected[] = {
        "",    " ",    ".",     "-",     "+",    "+-1",  "--1",   "- 3",  "1e3",   "1E3",
        "0x10", "1,5", "12abc", "abc",   "1.2.3", "1 2", "5-",    "$5",   "1_000", "inf",
        "nan", "\xef\xbc\x91" /* a full-width one */,    "\xd9\xa3" /* an Arabic three */,
        "1\r", "\n1",
    };
    for (const char* text : rejected)
        EXPECT_FALSE(parseNumber(text)) << '"' << text << '"';
    EXPECT_FALSE(parseNumber(std::string_view("1\0", 2)));
}

TEST(NumberForms, TheUsersLocaleDoesNotChangeTheDecimalPoint)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE"))
        GTEST_SKIP() << "no German locale installed";
    const auto withPoint = parseNumber("1.5");
    const auto withComma = parseNumber("1,5");
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_TRUE(withPoint);
    EXPECT_EQ(*withPoint, 1.5);
    EXPECT_FALSE(withComma);
}

TEST(NumberForms, VeryLongDigitStringsAreHugeNumbersNotCrashes)
{
    const std::string nines(100000, '9');
    const auto huge = parseNumber(nines);
    ASSERT_TRUE(huge);
    EXPECT_GT(*huge, 1e300);
    EXPECT_EQ(toInt32(*huge), int32Max);

    const auto hugeNegative = parseNumber("-" + nines);
    ASSERT_TRUE(hugeNegative);
    EXPECT_EQ(toInt32(*hugeNegative), int32Min);

    const auto tiny = parseNumber("0." + std::string(100000, '0') + "1");
    ASSERT_TRUE(tiny);
    EXPECT_EQ(toInt32(*tiny), 0);

    const auto longFraction = parseNumber("3." + std::string(100000, '4'));
    ASSERT_TRUE(longFraction);
    EXPECT_EQ(toInt32(*longFraction), 3);
}

TEST(WholeNumbers, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(toInt32(2.5), 2);
    EXPECT_EQ(toInt32(3.5), 4);
    EXPECT_EQ(toInt32(-2.5), -2);
    EXPECT_EQ(toInt32(-3.5), -4);
    EXPECT_EQ(toInt32(0.5), 0);
    EXPECT_EQ(toInt32(1.5), 2);
    EXPECT_EQ(toInt32(-0.5), 0);
}

TEST(WholeNumbers, OtherFractionsGoToTheNearest)
{
    EXPECT_EQ(toInt32(2.4999), 2);
    EXPECT_EQ(toInt32(2.5001), 3);
    EXPECT_EQ(toInt32(0.4), 0);
    EXPECT_EQ(toInt32(-0.6), -1);
    EXPECT_EQ(toInt32(19.7), 20);
}

TEST(WholeNumbers, ValuesBeyondTheRangeStopAtItsEnds)
{
    EXPECT_EQ(toInt32(2147483647.0), int32Max);
    EXPECT_EQ(toInt32(2147483646.6), int32Max);
    EXPECT_EQ(toInt32(2147483647.5), int32Max);
    EXPECT_EQ(toInt32(2147483648.0), int32Max);
    EXPECT_EQ(toInt32(1e300), int32Max);
    EXPECT_EQ(toInt32(std::numeric_limits<double>::infinity()), int32Max);
    EXPECT_EQ(toInt32(-2147483648.0), int32Min);
    EXPECT_EQ(toInt32(-2147483648.5), int32Min);
    EXPECT_EQ(toInt32(-2147483649.0), int32Min);
    EXPECT_EQ(toInt32(-1e300), int32Min);
    EXPECT_EQ(toInt32(-std::numeric_limits<double>::infinity()), int32Min);
    EXPECT_EQ(toInt32(2147483646.0), 2147483646);
    EXPECT_EQ(toInt32(-2147483647.0), -2147483647);
}

TEST(WholeNumbers, NotANumberReadsZero)
{
    EXPECT_EQ(toInt32(std::numeric_limits<double>::quiet_NaN()), 0);
}

// A numeric field of the file: parsed, rounded and clamped; not a number is 0.
std::int32_t numberField(const std::string& text)
{
    FieldReader reader(text);
    const auto value = reader.readNumber();
    EXPECT_TRUE(value) << '"' << text << '"';
    return value.value_or(-999);
}

TEST(NumericFields, RoundAndClampLikeTheSpeedAnswer)
{
    EXPECT_EQ(numberField("2.5"), 2);
    EXPECT_EQ(numberField("3.5"), 4);
    EXPECT_EQ(numberField("-2.5"), -2);
    EXPECT_EQ(numberField("12345678901234567890"), int32Max);
    EXPECT_EQ(numberField("-12345678901234567890"), int32Min);
    EXPECT_EQ(numberField("2147483647"), int32Max);
    EXPECT_EQ(numberField("-2147483648"), int32Min);
    EXPECT_EQ(numberField("2147483648"), int32Max);
}

TEST(NumericFields, NotANumberReadsZero)
{
    EXPECT_EQ(numberField("abc"), 0);
    EXPECT_EQ(numberField("12abc"), 0);
    EXPECT_EQ(numberField("1e3"), 0);
    EXPECT_EQ(numberField("0x10"), 0);
    EXPECT_EQ(numberField("\r\n"), 0);
    EXPECT_EQ(numberField("-"), 0);
}

TEST(NumericFields, BlanksAndQuotesAroundTheDigits)
{
    EXPECT_EQ(numberField("  +41  \r\n"), 41);
    EXPECT_EQ(numberField("\"42\""), 42);
    EXPECT_EQ(numberField("\" 43 \""), 43);
}

}  // namespace
