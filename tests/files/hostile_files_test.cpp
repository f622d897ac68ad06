// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged, strange and hostile high-score files: each one either reads as
// exactly the table written down here, or fails and leaves the table alone,
// and each read is quick however large the file is.

#include "scores/score_file.h"

#include "support/score_builders.h"
#include "support/forked_player.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace vermo;
using namespace vermo::testing;
namespace fs = std::filesystem;

constexpr std::int32_t int32Max = 2147483647;
constexpr std::int32_t int32Min = -2147483647 - 1;
constexpr auto readTimeLimit = std::chrono::seconds(1);

struct HostileFile {
    std::string label;
    std::string content;
    std::optional<ScoreTable> expected;  // no value: the read must fail
    std::size_t junkAfter = 0;           // bytes of junk appended when the file is made
};

// Failure messages name the case instead of dumping its bytes.
void PrintTo(const HostileFile& file, std::ostream* out) { *out << file.label; }

std::vector<Entry> firstNine()
{
    auto entries = lettersOneToTen();
    entries.pop_back();
    return entries;
}

// Entries k to 10 of "A".."J" (k counted from 1).
std::vector<Entry> lettersFrom(int k)
{
    auto entries = lettersOneToTen();
    entries.erase(entries.begin(), entries.begin() + (k - 1));
    return entries;
}

std::string repeatText(const std::string& text, int times)
{
    std::string bytes;
    for (int i = 0; i < times; ++i)
        bytes += text;
    return bytes;
}

ScoreTable lettersTable() { return tableOf(lettersOneToTen()); }

ScoreTable emptyNamesTable() { return tableOf(std::vector<Entry>(10, Entry{"", 0})); }

// Entries "A".."J", 1..10 with some entries replaced.
ScoreTable lettersWith(const std::vector<std::pair<int, Entry>>& changes)
{
    auto entries = lettersOneToTen();
    for (const auto& [index, entry] : changes)
        entries[static_cast<std::size_t>(index - 1)] = entry;
    return tableOf(entries);
}

// Ten records whose score fields hold the given texts.
std::string withScoreTexts(const std::vector<std::string>& scores)
{
    std::string bytes;
    for (std::size_t i = 0; i < scores.size(); ++i)
        bytes += "\"" + std::string(1, static_cast<char>('A' + i)) + "\"," + scores[i] + "\r\n";
    return bytes;
}

std::string seededBytes(std::size_t count, unsigned seed, unsigned char low, unsigned char high)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(low, high);
    std::string bytes(count, '\0');
    for (auto& c : bytes)
        c = static_cast<char>(byte(random));
    return bytes;
}

std::vector<HostileFile> hostileFiles()
{
    const std::string ten = recordsOf(lettersOneToTen());
    const std::string nine = recordsOf(firstNine());
    std::vector<HostileFile> cases;
    auto add = [&](std::string label, std::string content, std::optional<ScoreTable> expected,
                   std::size_t junkAfter = 0) {
        cases.push_back({std::move(label), std::move(content), std::move(expected), junkAfter});
    };

    // Too little to hold ten records.
    add("EmptyFile", "", std::nullopt);
    add("OnlyCR", "\r", std::nullopt);
    add("OnlyLF", "\n", std::nullopt);
    add("OnlyCRLF", "\r\n", std::nullopt);
    add("OnlyBlanks", "   \t  ", std::nullopt);
    add("OnlyAQuote", "\"", std::nullopt);
    add("NineRecords", nine, std::nullopt);
    add("TenthScoreMissingAfterComma", nine + "\"J\",", std::nullopt);
    add("TenthScoreMissing", nine + "\"J\"", std::nullopt);
    add("TenthNameThenLineEnd", nine + "\"J\"\r\n", std::nullopt);
    add("NineteenBlankLines", repeatText("\r\n", 19), std::nullopt);
    add("NineteenCommas", std::string(19, ','), std::nullopt);
    add("UnterminatedQuoteInFifthName",
        recordsOf({{"A", 1}, {"B", 2}, {"C", 3}, {"D", 4}}) + "\"E,5\r\n" + recordsOf({{"F", 6}, {"G", 7}, {"H", 8}, {"I", 9}, {"J", 10}}),
        std::nullopt);
    add("UnterminatedQuoteInTenthName", nine + "\"J,10\r\n", std::nullopt);
    add("BinaryWithoutDelimiters", seededBytes(4096, 1, 0x80, 0xFF), std::nullopt);
    add("NulBytesOnly", std::string(1000, '\0'), std::nullopt);

    // Blank lines and bare delimiters are empty fields.
    add("TwentyBareCRs", std::string(20, '\r'), emptyNamesTable());
    add("TwentyBareLFs", std::string(20, '\n'), emptyNamesTable());
    add("TwentyCommas", std::string(20, ','), emptyNamesTable());
    add("BlankLineAtTheStartShiftsEveryField", "\r\n" + ten,
        tableOf({{"", 0}, {"1", 0}, {"2", 0}, {"3", 0}, {"4", 0}, {"5", 0}, {"6", 0}, {"7", 0}, {"8", 0}, {"9", 0}}));
    add("BlankLineAfterEveryRecord", recordsOf(lettersOneToTen(), "\r\n\r\n"),
        tableOf({{"A", 1}, {"", 0}, {"2", 0}, {"C", 3}, {"", 0}, {"4", 0}, {"E", 5}, {"", 0}, {"6", 0}, {"G", 7}}));

    // Line ends of every kind, and none at the end.
    add("RecordsEndedByCR", recordsOf(lettersOneToTen(), "\r"), lettersTable());
    add("RecordsEndedByLF", recordsOf(lettersOneToTen(), "\n"), lettersTable());
    add("NoFinalLineEnd", ten.substr(0, ten.size() - 2), lettersTable());
    add("BlanksAfterTheLastScore", ten.substr(0, ten.size() - 2) + "   ", lettersTable());
    add("AllRecordsOnOneLine", recordsOf(lettersOneToTen(), ","), lettersTable());

    // More than ten records, or junk after them.
    add("ElevenRecords", ten + "\"K\",11\r\n", lettersTable());
    add("TrailingGarbage", ten + "garbage,\"\x01\x02 more\r\n\xff\xfe", lettersTable());
    add("NulBytesAfterTenRecords", ten + std::string(100, '\0'), lettersTable());
    add("SixtyFourMegabytesOfJunkAfterTenRecords", ten, lettersTable(), std::size_t{64} << 20);

    // Odd shapes of fields.
    add("UnquotedFields", "A,1\r\nB,2\r\nC,3\r\nD,4\r\nE,5\r\nF,6\r\nG,7\r\nH,8\r\nI,9\r\nJ,10\r\n", lettersTable());
    add("BlanksAndTabsAroundFields", [] {
            std::string s;
            for (int i = 0; i < 10; ++i)
                s += " \t\"" + std::string(1, static_cast<char>('A' + i)) + "\" \t, \t" + std::to_string(i + 1) + " \t\r\n";
            return s;
        }(),
        lettersTable());
    add("TextAfterClosingQuote", "\"A\"junk \"here\",1\r\n" + recordsOf(lettersFrom(2)), lettersTable());
    add("QuotedNameWithCommaAndLineBreak", "\"Smith, J.\r\nJr\",1\r\n" + recordsOf(lettersFrom(2)),
        lettersWith({{1, {"Smith, J.\r\nJr", 1}}}));
    add("NulBytesInsideNames", std::string("\"A\0B\",1\r\n", 9) + recordsOf(lettersFrom(2)),
        lettersWith({{1, {std::string("A\0B", 3), 1}}}));
    add("Latin1NamesKeptAsBytes", "\"M\xfcller\",1\r\n\"Jos\xe9\",2\r\n" + recordsOf(lettersFrom(3)),
        lettersWith({{1, {"M\xfcller", 1}}, {2, {"Jos\xe9", 2}}}));
    add("Utf8NamesKeptAsBytes", "\"M\xc3\xbcller\",1\r\n\"\xe6\x97\xa5\xe6\x9c\xac\",2\r\n" + recordsOf(lettersFrom(3)),
        lettersWith({{1, {"M\xc3\xbcller", 1}}, {2, {"\xe6\x97\xa5\xe6\x9c\xac", 2}}}));
    add("NameOf300000Characters", "\"" + std::string(300000, 'x') + "\",1\r\n" + recordsOf(lettersFrom(2)),
        lettersWith({{1, {std::string(300000, 'x'), 1}}}));

    // Scores that are no plain 32-bit decimals.
    add("TwentyDigitScores", withScoreTexts({"12345678901234567890", "-12345678901234567890", "3", "4", "5", "6", "7", "8", "9", "10"}),
        lettersWith({{1, {"A", int32Max}}, {2, {"B", int32Min}}}));
    add("ScoresAtAndBeyondTheLimits", withScoreTexts({"2147483647", "-2147483648", "2147483648", "-2147483649", "5", "6", "7", "8", "9", "10"}),
        lettersWith({{1, {"A", int32Max}}, {2, {"B", int32Min}}, {3, {"C", int32Max}}, {4, {"D", int32Min}}}));
    add("HundredThousandDigitScore", withScoreTexts({std::string(100000, '9'), "2", "3", "4", "5", "6", "7", "8", "9", "10"}),
        lettersWith({{1, {"A", int32Max}}}));
    add("FractionalScoresRoundHalfToEven", withScoreTexts({"2.5", "3.5", "-2.5", "0.5", "1.5", "7.25", "-.5", "9.", ".6", "10.49"}),
        tableOf({{"A", 2}, {"B", 4}, {"C", -2}, {"D", 0}, {"E", 2}, {"F", 7}, {"G", 0}, {"H", 9}, {"I", 1}, {"J", 10}}));
    add("ScoresThatAreNoNumbersReadZero", withScoreTexts({"abc", "1e3", "0x10", "12abc", "", "--1", "\"9\"", "+7", " 8 ", "-0"}),
        tableOf({{"A", 0}, {"B", 0}, {"C", 0}, {"D", 0}, {"E", 0}, {"F", 0}, {"G", 9}, {"H", 7}, {"I", 8}, {"J", 0}}));

    // What lies beyond the reader's bound counts as missing.
    add("TenthRecordBeyondTheReadBound", nine + std::string(maxScoreFileBytes, ' ') + "\"J\",10\r\n", std::nullopt);
    add("FirstNameLongerThanTheReadBound", "\"" + std::string(maxScoreFileBytes, 'x') + "\",1\r\n" + recordsOf(lettersFrom(2)),
        std::nullopt);
    add("TenRecordsEndingRightAtTheReadBound", nine + std::string(maxScoreFileBytes - nine.size() - 6, ' ') + "\"J\",10",
        lettersTable());
    return cases;
}

class HostileFileTest : public ::testing::TestWithParam<HostileFile> {};

TEST_P(HostileFileTest, ReadsTheExpectedTableOrFailsQuickly)
{
    const HostileFile& file = GetParam();
    TempFolder folder;
    {
        std::ofstream out(folder / scoreFileName, std::ios::binary);
        out.write(file.content.data(), static_cast<std::streamsize>(file.content.size()));
        const std::string junk = file.junkAfter ? seededBytes(std::size_t{1} << 20, 7, 0, 255) : "";
        for (std::size_t left = file.junkAfter; left > 0;) {
            const std::size_t chunk = std::min(left, junk.size());
            out.write(junk.data(), static_cast<std::streamsize>(chunk));
            left -= chunk;
        }
        ASSERT_TRUE(out.good());
    }
    ASSERT_EQ(fs::file_size(folder / scoreFileName), file.content.size() + file.junkAfter);

    ScoreTable table = sentinelTable();
    const auto start = std::chrono::steady_clock::now();
    const bool read = ReadScores(table, tableIn(folder.path())).read();
    const auto took = std::chrono::steady_clock::now() - start;

    EXPECT_LT(took, readTimeLimit);
    if (file.expected) {
        ASSERT_TRUE(read);
        EXPECT_EQ(table, *file.expected);
    } else {
        EXPECT_FALSE(read);
        EXPECT_EQ(table, sentinelTable());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileFileTest, ::testing::ValuesIn(hostileFiles()),
                         [](const ::testing::TestParamInfo<HostileFile>& info) { return info.param.label; });

// Things that are not plain files where the file should be.
TEST(HostileFileSystem, PipeInPlaceOfTheFileFailsWithoutWaiting)
{
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / scoreFileName).c_str(), 0600), 0);
    ScoreTable table = sentinelTable();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReadScores(table, tableIn(folder.path())).read());
    EXPECT_LT(std::chrono::steady_clock::now() - start, readTimeLimit);
    EXPECT_EQ(table, sentinelTable());
}

TEST(HostileFileSystem, LinkToAnEndlessDeviceFails)
{
    TempFolder folder;
    fs::create_symlink("/dev/zero", folder / scoreFileName);
    ScoreTable table = sentinelTable();
    EXPECT_FALSE(ReadScores(table, tableIn(folder.path())).read());
    EXPECT_EQ(table, sentinelTable());
}

TEST(HostileFileSystem, LinkToAGoodFileIsRead)
{
    TempFolder folder;
    folder.write("elsewhere.txt", recordsOf(lettersOneToTen()));
    fs::create_symlink(folder / "elsewhere.txt", folder / scoreFileName);
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    EXPECT_EQ(table, lettersTable());
}

TEST(HostileFileSystem, UnreadableFileFailsAsUnreadable)
{
    TempFolder folder;
    folder.write(scoreFileName, recordsOf(lettersOneToTen()));
    fs::permissions(folder / scoreFileName, fs::perms::none);
    EXPECT_TRUE(runAs(firstPlayer, [&] {
        ScoreTable table = sentinelTable();
        return ReadScores(table, tableIn(folder.path())).state == TableRead::State::Unreadable
               && table == sentinelTable();
    }));
}

}  // namespace
