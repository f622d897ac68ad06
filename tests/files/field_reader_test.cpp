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

// Each rule of quotes, blanks, commas and line ends: the bytes and the
// text fields they hold.
TEST(TextFields, EachRuleOfQuotesBlanksCommasAndLineEnds)
{
    const struct {
        const char* rule;
        std::string_view bytes;
        Fields fields;
    } cases[] = {
        {"unquoted: ends at comma or line end", "abc,def\r\nghi,jkl\r\n", {"abc", "def", "ghi", "jkl"}},
        {"unquoted: blanks around it dropped", "  \tab c \t,\t x\r\n", {"ab c", "x"}},
        {"unquoted: empty between commas", "a,,b", {"a", "", "b"}},
        {"unquoted: a later quote is ordinary", "ab\"c,d", {"ab\"c", "d"}},
        {"quoted: commas and line breaks kept", "\"a, b\r\nc\nd\",next", {"a, b\r\nc\nd", "next"}},
        {"quoted: blanks inside kept", "   \"  a  \"  ,b", {"  a  ", "b"}},
        {"quoted: after the quote dropped to the comma", "\"name\" junk, more,x", {"name", "more", "x"}},
        {"quoted: after the quote dropped to the line end", "\"a\"xyz\"q\r\nb", {"a", "b"}},
        {"quoted: empty quotes, an empty field", "\"\",0\r\n", {"", "0"}},
        {"quoted: unterminated, runs to the end", "x,\"abc, def\r\nghi", {"x", "abc, def\r\nghi"}},
        {"CR LF, lone CR and lone LF each end one", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"LF then CR are two line ends", "a\n\rb", {"a", "", "b"}},
        {"a blank line is one empty field", "a\r\n\r\nb", {"a", "", "b"}},
        {"a blank line is one empty field", "a\n\nb", {"a", "", "b"}},
        {"a blank line is one empty field", "a\r\rb", {"a", "", "b"}},
        {"a blank line is one empty field", "a\r\n \t \r\nb", {"a", "", "b"}},
        {"a comma then a line end, an empty field", "a,\r\nb", {"a", "", "b"}},
        {"the last field needs no line end", "a,b", {"a", "b"}},
        {"the last field needs no line end", "\"a\",\"b\"", {"a", "b"}},
        {"a comma at the very end, no more", "a,", {"a"}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.rule);
        EXPECT_EQ(allTextFields(each.bytes), each.fields);
    }
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
