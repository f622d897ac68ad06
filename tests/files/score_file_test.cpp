// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score file: reading ten records, the exchange sort, writing
// ten records, and making typed names safe for the file.

#include "scores/score_file.h"

#include "support/score_builders.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vermo;
using namespace vermo::testing;

std::string repeat(const std::string& line, int times)
{
    std::string bytes;
    for (int i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}

// --- reading -------------------------------------------------------------

// Ten records read in the file's order; an eleventh is never read.
TEST(ReadScores, ReadsTheFirstTenRecordsInFileOrder)
{
    auto eleven = lettersOneToTen();
    eleven.emplace_back("K", 11);
    for (const auto& records : {lettersOneToTen(), eleven}) {
        SCOPED_TRACE(records.size());
        TempFolder folder;
        folder.write(scoreFileName, recordsOf(records));
        ScoreTable table;
        ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
        EXPECT_EQ(table, tableOf(lettersOneToTen()));
    }
}

TEST(ReadScores, AMissingFileAFolderOrNineRecordsFailAndLeaveTheTable)
{
    auto nine = lettersOneToTen();
    nine.pop_back();
    const std::function<void(TempFolder&)> makeFile[] = {
        [](TempFolder&) {},
        [](TempFolder& folder) { std::filesystem::create_directory(folder / scoreFileName); },
        [&nine](TempFolder& folder) { folder.write(scoreFileName, recordsOf(nine)); },
    };
    for (const auto& make : makeFile) {
        SCOPED_TRACE(&make - makeFile);
        TempFolder folder;
        make(folder);
        ScoreTable table = sentinelTable();
        EXPECT_FALSE(ReadScores(table, tableIn(folder.path())).read());
        EXPECT_EQ(table, sentinelTable());
    }
}

// A score in letters and an empty quoted name are read as zero and as an
// empty name, and the records after them as usual.
TEST(ReadScores, ScoreWithLettersReadsZeroAndEmptyQuotesAnEmptyNameWithoutFailing)
{
    const struct {
        const char* what;
        std::string bytes;
        const char* name;
        int score, next;
    } cases[] = {
        {"letters", "\"Ann\",lots\r\n" + repeat("\"Bo\",5\r\n", 9), "Ann", 0, 5},
        {"empty quotes", "\"\",12\r\n" + repeat("\"Computer\",0\r\n", 9), "", 12, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.write(scoreFileName, c.bytes);
        ScoreTable table;
        ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
        EXPECT_EQ(table.names[1], c.name);
        EXPECT_EQ(table.scores[1], c.score);
        EXPECT_EQ(table.scores[2], c.next);
    }
}

// --- sorting -------------------------------------------------------------

TEST(SortScores, EqualScoresKeepTheOrderOfTheFile)
{
    TempFolder folder;
    std::vector<Entry> entries{{"A", 100}, {"B", 100}};
    for (int i = 0; i < 8; ++i)
        entries.emplace_back("low" + std::to_string(i), i);
    folder.write(scoreFileName, recordsOf(entries));
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    SortScores(table);
    EXPECT_EQ(table.names[9], "A");
    EXPECT_EQ(table.names[10], "B");  // B ranks above A in every display
}

TEST(SortScores, ReversedTableComesOutAscending)
{
    std::vector<Entry> reversed;
    for (int i = 10; i >= 1; --i)
        reversed.emplace_back("n" + std::to_string(i), i * 10);
    ScoreTable table = tableOf(reversed);
    SortScores(table);
    std::vector<Entry> ascending(reversed.rbegin(), reversed.rend());
    EXPECT_EQ(table, tableOf(ascending));
}

TEST(SortScores, ShuffledTablesMatchAStableAscendingOrder)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> score(-3, 3);  // few values: many ties
    for (int round = 0; round < 200; ++round) {
        std::vector<Entry> entries;
        for (int i = 0; i < 10; ++i)
            entries.emplace_back("p" + std::to_string(i), score(random) * 1000);
        ScoreTable table = tableOf(entries);
        SortScores(table);
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.second < b.second; });
        ASSERT_EQ(table, tableOf(entries)) << "round " << round;
    }
}

TEST(SortScores, ExtremeScoresSortWithoutOverflow)
{
    ScoreTable table = tableOf({{"max", 2147483647}, {"min", -2147483647 - 1}, {"a", 0}, {"b", -1}, {"c", 1},
                                {"d", 2}, {"e", 3}, {"f", 4}, {"g", 5}, {"h", 6}});
    SortScores(table);
    EXPECT_EQ(table.names[1], "min");
    EXPECT_EQ(table.names[2], "b");
    EXPECT_EQ(table.names[10], "max");
}

TEST(SortScores, ShippedShuffledFileSortsIntoRankOrder)
{
    ScoreTable table;
    ASSERT_TRUE(
        ReadScores(table, TablePlace{Folder::open(VERMO_TEST_DATA), "topten_shuffled.dll"}).read());
    SortScores(table);
    EXPECT_EQ(table, tableOf({{"Kim", -40},
                              {"Computer", 0},
                              {"Computer", 0},
                              {"Bo", 75},
                              {"Eve", 90},
                              {"Dana", 250},
                              {"Sam", 480},
                              {"Ann", 1200},
                              {"Lee", 1200},
                              {"Max", 3100}}));
}

// --- writing -------------------------------------------------------------

TEST(WriteScores, DefaultTableIsTenComputerLines)
{
    TempFolder folder;
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    EXPECT_EQ(folder.read(scoreFileName), tenRecordsOf());
}

TEST(WriteScores, RecordsGoInIndexOrderWithoutSorting)
{
    TempFolder folder;
    ScoreTable table = tableOf({{"New", 500}, {"Ann", 10}, {"Bo", 20}, {"Cy", 30}, {"Di", 40},
                                {"Ed", 50}, {"Flo", 60}, {"Gus", 70}, {"Hal", 80}, {"Ivy", 90}});
    ASSERT_TRUE(WriteScores(table, tableIn(folder.path())));
    EXPECT_EQ(folder.read(scoreFileName),
              "\"New\",500\r\n\"Ann\",10\r\n\"Bo\",20\r\n\"Cy\",30\r\n\"Di\",40\r\n"
              "\"Ed\",50\r\n\"Flo\",60\r\n\"Gus\",70\r\n\"Hal\",80\r\n\"Ivy\",90\r\n");
}

TEST(WriteScores, NegativeAndExtremeScoresAsPlainDigits)
{
    TempFolder folder;
    ScoreTable table = ScoreTable::defaults();
    table.scores[1] = -2147483647 - 1;
    table.scores[2] = -5;
    table.scores[3] = 2147483647;
    ASSERT_TRUE(WriteScores(table, tableIn(folder.path())));
    const std::string bytes = folder.read(scoreFileName);
    const std::string start = "\"Computer\",-2147483648\r\n\"Computer\",-5\r\n\"Computer\",2147483647\r\n";
    EXPECT_EQ(bytes.substr(0, start.size()), start);
}

TEST(WriteScores, WriteThenReadGivesTheSameTable)
{
    TempFolder folder;
    const ScoreTable table = tableOf({{"", 0},
                                      {"  leading and trailing  ", -7},
                                      {"O'Brien, Jr.", 12},
                                      {"M\xc3\xbcller \xe6\x97\xa5\xe6\x9c\xac", 99},
                                      {"Jos\xe9 (Latin-1)", 100},
                                      {std::string(maxNameBytes, 'w'), 2147483647},
                                      {"comma,inside", -2147483647 - 1},
                                      {"tab-free name", 42},
                                      {"x", 1},
                                      {"Computer", 0}});
    ASSERT_TRUE(WriteScores(table, tableIn(folder.path())));
    ScoreTable back;
    ASSERT_TRUE(ReadScores(back, tableIn(folder.path())).read());
    EXPECT_EQ(back, table);
}

TEST(WriteScores, ReplacesAnOldFileCompletely)
{
    TempFolder folder;
    folder.write(scoreFileName, repeat("\"A very long old name that makes the old file longer\",123456\r\n", 12));
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    EXPECT_EQ(folder.read(scoreFileName), tenRecordsOf());
}

TEST(WriteScores, StoredNamesAreWrittenBackByteForByte)
{
    // Names as other players' records hold them: tabs, commas, line breaks
    // inside quotes, UTF-8, Latin-1, control bytes.
    TempFolder folder;
    const std::string original =
        "\"Tab\there\",90\r\n\"Comma, inside\",80\r\n\"Two\r\nlines\",70\r\n"
        "\"M\xc3\xbcller\",60\r\n\"Jos\xe9\",50\r\n\"Esc\x1b\x7f\",40\r\n"
        "\"  blanks  \",30\r\n\"\",20\r\n\"Computer\",10\r\n\"Computer\",0\r\n";
    folder.write(scoreFileName, original);
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    ASSERT_TRUE(WriteScores(table, tableIn(folder.path())));
    EXPECT_EQ(folder.read(scoreFileName), original);
}

TEST(WriteScores, ADoubleQuoteInAStoredNameCannotBreakTheRecords)
{
    // Only a hand-written record without quotes can hold one.
    TempFolder folder;
    folder.write(scoreFileName, "ab\"c,5\r\n" + repeat("\"Computer\",0\r\n", 9));
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    ASSERT_EQ(table.names[1], "ab\"c");
    ASSERT_TRUE(WriteScores(table, tableIn(folder.path())));
    ScoreTable back;
    ASSERT_TRUE(ReadScores(back, tableIn(folder.path())).read());
    EXPECT_EQ(back.names[1], "ab'c");
    EXPECT_EQ(back.scores[1], 5);
    for (int i = 2; i <= 10; ++i)
        EXPECT_EQ(back.names[i], "Computer");
}

TEST(WriteScores, TenHugeStoredNamesStillReadBack)
{
    TempFolder folder;
    ScoreTable table = ScoreTable::defaults();
    for (int i = 1; i <= 10; ++i)
        table.names[i] = std::string(200 * 1024, static_cast<char>('a' + i));
    ASSERT_TRUE(WriteScores(table, tableIn(folder.path())));
    ScoreTable back;
    ASSERT_TRUE(ReadScores(back, tableIn(folder.path())).read());
    EXPECT_EQ(back.names[10], std::string(maxStoredNameBytes, 'k'));
}

TEST(WriteScores, ALinkNamedLikeTheTableStaysALink)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "kept");
    folder.write("kept/scores.txt", tenRecordsOf());
    std::filesystem::create_symlink("kept/scores.txt", folder / scoreFileName);
    ScoreTable table = ScoreTable::defaults();
    table.names[1] = "Ann";
    table.scores[1] = 7;
    ASSERT_TRUE(WriteScores(table, tableIn(folder.path())));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / scoreFileName));
    EXPECT_EQ(folder.read("kept/scores.txt").substr(0, 9), "\"Ann\",7\r\n");
}

// --- typed names -----------------------------------------------------------

TEST(SafeName, OrdinaryNamesStayAsTyped)
{
    EXPECT_EQ(safeName("Ann"), "Ann");
    EXPECT_EQ(safeName(""), "");
    EXPECT_EQ(safeName("  Bo, the 2nd  "), "  Bo, the 2nd  ");
    EXPECT_EQ(safeName("M\xc3\xbcller"), "M\xc3\xbcller");
    EXPECT_EQ(safeName("M\xfcller"), "M\xfcller");
}

TEST(SafeName, DoubleQuotesBecomeSingleQuotes)
{
    EXPECT_EQ(safeName("\"Ace\" Rimmer"), "'Ace' Rimmer");
}

TEST(SafeName, LineBreaksAndControlCharactersBecomeOneBlankEach)
{
    EXPECT_EQ(safeName("a\r\nb"), "a  b");
    EXPECT_EQ(safeName("a\tb\x7f" "c"), "a b c");
    EXPECT_EQ(safeName(std::string("a\0b\x1b", 4)), "a b ");
}

TEST(SafeName, LongNamesAreCutToTheLimit)
{
    EXPECT_EQ(safeName(std::string(maxNameBytes, 'a')), std::string(maxNameBytes, 'a'));
    EXPECT_EQ(safeName(std::string(1000, 'a')), std::string(maxNameBytes, 'a'));
}

TEST(SafeName, CutNeverSplitsAUtf8Character)
{
    const std::string twoByte = "\xc3\xa9";        // é
    const std::string threeByte = "\xe2\x82\xac";  // €
    const std::string fourByte = "\xf0\x9f\x90\x8d";
    EXPECT_EQ(safeName(std::string(254, 'a') + twoByte), std::string(254, 'a'));
    EXPECT_EQ(safeName(std::string(253, 'a') + twoByte + "zz"), std::string(253, 'a') + twoByte);
    EXPECT_EQ(safeName(std::string(253, 'a') + threeByte), std::string(253, 'a'));
    EXPECT_EQ(safeName(std::string(252, 'a') + fourByte), std::string(252, 'a'));
    EXPECT_EQ(safeName(std::string(251, 'a') + fourByte + "b"), std::string(251, 'a') + fourByte);
}

TEST(SafeName, TextThatIsNotUtf8IsCutAtTheByteLimit)
{
    const std::string latin1(300, '\xe9');
    EXPECT_EQ(safeName(latin1), std::string(maxNameBytes, '\xe9'));
    // A stray continuation byte makes the text Latin-1-like: plain byte cut.
    const std::string mixed = "\x80" + std::string(253, 'a') + "\xc3\xa9";
    EXPECT_EQ(safeName(mixed), mixed.substr(0, maxNameBytes));
}

TEST(SafeName, MakingANameSafeTwiceChangesNothing)
{
    const std::string typed = "\"x\"\r\n" + std::string(300, 'y');
    const std::string safe = "'x'  " + std::string(maxNameBytes - 5, 'y');
    ASSERT_EQ(safeName(typed), safe);
    EXPECT_EQ(safeName(safe), safe);
}

}  // namespace
