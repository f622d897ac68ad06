// SPDX-License-Identifier: GPL-3.0-or-later
// The field rules of the game's text files: the high-score records and
// the help text are both read field by field.

#include "platform/text_fields.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using vermo::FieldReader;
using Fields = std::vector<std::string>;

// Every text field until the reader runs dry (bounded, so a reader that
// never ends cannot hang the test).
Fields allTextFields(std::string_view bytes)
{
    FieldReader reader(bytes);
    Fields fields;
    for (std::size_t guard = 0; guard <= bytes.size() + 1; ++guard) {
        auto field = reader.readText();
        if (!field)
            return fields;
        fields.push_back(*field);
    }
    ADD_FAILURE() << "the reader kept yielding fields";
    return fields;
}

std::string dataFile(const std::string& name)
{
    std::ifstream in(std::string(VERMO_TEST_DATA) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(UnquotedFields, EndAtCommaOrLineEnd)
{
    EXPECT_EQ(allTextFields("abc,def\r\nghi,jkl\r\n"), (Fields{"abc", "def", "ghi", "jkl"}));
}

TEST(UnquotedFields, LeadingBlanksSkippedAndTrailingBlanksDropped)
{
    EXPECT_EQ(allTextFields("  \tab c \t,\t x\r\n"), (Fields{"ab c", "x"}));
}

TEST(UnquotedFields, EmptyBetweenCommas)
{
    EXPECT_EQ(allTextFields("a,,b"), (Fields{"a", "", "b"}));
}

TEST(UnquotedFields, DoubleQuoteAfterTheFirstCharacterIsOrdinary)
{
    EXPECT_EQ(allTextFields("ab\"c,d"), (Fields{"ab\"c", "d"}));
}

TEST(QuotedFields, KeepCommasAndLineBreaksInside)
{
    EXPECT_EQ(allTextFields("\"a, b\r\nc\nd\",next"), (Fields{"a, b\r\nc\nd", "next"}));
}

TEST(QuotedFields, KeepBlanksInsideTheQuotes)
{
    EXPECT_EQ(allTextFields("   \"  a  \"  ,b"), (Fields{"  a  ", "b"}));
}

TEST(QuotedFields, TextAfterTheClosingQuoteIsDroppedUpToTheComma)
{
    EXPECT_EQ(allTextFields("\"name\" junk, more,x"), (Fields{"name", "more", "x"}));
}

TEST(QuotedFields, TextAfterTheClosingQuoteIsDroppedUpToTheLineEnd)
{
    EXPECT_EQ(allTextFields("\"a\"xyz\"q\r\nb"), (Fields{"a", "b"}));
}

TEST(QuotedFields, EmptyQuotesGiveAnEmptyField)
{
    EXPECT_EQ(allTextFields("\"\",0\r\n"), (Fields{"", "0"}));
}

TEST(QuotedFields, UnterminatedQuoteRunsToTheEnd)
{
    EXPECT_EQ(allTextFields("x,\"abc, def\r\nghi"), (Fields{"x", "abc, def\r\nghi"}));
}

TEST(LineEnds, CrLfLoneCrAndLoneLfEachEndOneField)
{
    EXPECT_EQ(allTextFields("a\r\nb\rc\nd"), (Fields{"a", "b", "c", "d"}));
}

TEST(LineEnds, LfThenCrAreTwoLineEnds)
{
    EXPECT_EQ(allTextFields("a\n\rb"), (Fields{"a", "", "b"}));
}

TEST(LineEnds, BlankLineIsOneEmptyField)
{
    EXPECT_EQ(allTextFields("a\r\n\r\nb"), (Fields{"a", "", "b"}));
    EXPECT_EQ(allTextFields("a\n\nb"), (Fields{"a", "", "b"}));
    EXPECT_EQ(allTextFields("a\r\rb"), (Fields{"a", "", "b"}));
    EXPECT_EQ(allTextFields("a\r\n \t \r\nb"), (Fields{"a", "", "b"}));
}

TEST(LineEnds, CommaThenLineEndLeavesAnEmptyField)
{
    EXPECT_EQ(allTextFields("a,\r\nb"), (Fields{"a", "", "b"}));
}

TEST(EndOfInput, LastFieldWithoutLineEndIsComplete)
{
    EXPECT_EQ(allTextFields("a,b"), (Fields{"a", "b"}));
    EXPECT_EQ(allTextFields("\"a\",\"b\""), (Fields{"a", "b"}));
}

TEST(EndOfInput, CommaAtTheVeryEndStartsNoFurtherField)
{
    EXPECT_EQ(allTextFields("a,"), (Fields{"a"}));
}

TEST(EndOfInput, NothingLeftMeansNoValue)
{
    FieldReader empty("");
    EXPECT_TRUE(empty.atEnd());
    EXPECT_FALSE(empty.readText());
    EXPECT_FALSE(empty.readNumber());

    FieldReader blanks(" \t  ");
    EXPECT_TRUE(blanks.atEnd());
    EXPECT_FALSE(blanks.readText());
}

TEST(EndOfInput, AtEndTurnsTrueAfterTheLastFieldAndReadsKeepFailing)
{
    FieldReader reader("\"Ann\",12\r\n  ");
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readText(), "Ann");
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readNumber(), 12);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.readText());
    EXPECT_FALSE(reader.readNumber());
    EXPECT_FALSE(reader.readText());
}

TEST(BinaryInput, NulAndHighBytesAreOrdinaryCharacters)
{
    const char raw[] = "a\0b,\xff\x80\0,\"\0\"";
    const std::string bytes(raw, sizeof raw - 1);
    EXPECT_EQ(allTextFields(bytes),
              (Fields{std::string("a\0b", 3), std::string("\xff\x80\0", 3), std::string("\0", 1)}));
}

TEST(MixedFields, TextAndNumberFieldsAlternate)
{
    FieldReader reader("\"Ann\",12,\"Bob\",-3\r\nCy, 7 \r\n");
    EXPECT_EQ(reader.readText(), "Ann");
    EXPECT_EQ(reader.readNumber(), 12);
    EXPECT_EQ(reader.readText(), "Bob");
    EXPECT_EQ(reader.readNumber(), -3);
    EXPECT_EQ(reader.readText(), "Cy");
    EXPECT_EQ(reader.readNumber(), 7);
    EXPECT_FALSE(reader.readText());
}

TEST(MixedFields, QuotedNumberFieldReadsItsValue)
{
    FieldReader reader("\"42\",\"x\"");
    EXPECT_EQ(reader.readNumber(), 42);
    EXPECT_EQ(reader.readNumber(), 0);
}

// The help window shows the first field of its file.
TEST(HelpText, QuotedTextIsShownWholeWithCommasAndLines)
{
    const std::string help = dataFile("helpfile_quoted.bat");
    FieldReader reader(help);
    EXPECT_EQ(reader.readText(),
              "Steer the worm with the arrow keys, eat berries, and keep away\r\n"
              "from the walls, your own tail and the poison.\r\n"
              "P pauses the game.");
}

TEST(HelpText, UnquotedTextStopsAtTheFirstComma)
{
    const std::string help = dataFile("helpfile_plain.bat");
    FieldReader reader(help);
    EXPECT_EQ(reader.readText(), "Steer with the arrow keys");
}

TEST(HelpText, UnquotedTextStopsAtTheFirstLineEnd)
{
    FieldReader reader("First line of help\r\nSecond line, with a comma\r\n");
    EXPECT_EQ(reader.readText(), "First line of help");
}

}  // namespace
