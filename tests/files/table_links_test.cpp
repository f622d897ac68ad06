// SPDX-License-Identifier: GPL-3.0-or-later
// A link named like the table is followed only when the player or root
// made it, and every link on its way too, and only to a table or to a
// file not made yet; any other link is replaced, and whatever it points
// to is left alone. A table the player cannot read is never written over.
#include "scores/score_entry.h"

#include "support/score_builders.h"
#include "support/call_seams.h"
#include "support/forked_player.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace vermo;
using namespace vermo::testing;
namespace fs = std::filesystem;

constexpr uid_t otherUser = secondPlayer;

// Notes with enough lines and commas to fill ten records, were it read as a table.
const std::string notes = [] {
    std::string text;
    for (int day = 1; day <= 12; ++day)
        text += "Day " + std::to_string(day) + ": bread, milk\n";
    return text;
}();

ScoreTable annsTable()
{
    ScoreTable table = ScoreTable::defaults();
    table.names[1] = "Ann";
    table.scores[1] = 7;
    return table;
}

// Writes Ann's table through the folder's table, as a game over does.
void writeAnn(const TempFolder& folder)
{
    ASSERT_TRUE(WriteScores(annsTable(), tableIn(folder.path())));
}

bool tableHoldsAnn(const TempFolder& folder)
{
    return folder.read(scoreFileName).substr(0, 9) == "\"Ann\",7\r\n";
}

TEST(TableLinks, AnotherUsersLinkInASharedFolderIsNeverFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a link that belongs to another user";
    TempFolder shared, home;
    fs::permissions(shared.path(), fs::perms::all | fs::perms::sticky_bit);
    home.write("notes.txt", notes);
    // Even a link to a table is not followed when someone else made it.
    home.write("their-table.dll", recordsOf(lettersOneToTen()));
    for (const char* target : {"notes.txt", "their-table.dll"}) {
        fs::remove(shared / scoreFileName);
        fs::create_symlink(home / target, shared / scoreFileName);
        ASSERT_EQ(::lchown((shared / scoreFileName).c_str(), otherUser, otherUser), 0);
        ScoreTable table;
        EXPECT_EQ(ReadScores(table, tableIn(shared.path())).state, TableRead::State::Damaged);
        writeAnn(shared);
        EXPECT_FALSE(fs::is_symlink(shared / scoreFileName)) << target;
        EXPECT_TRUE(tableHoldsAnn(shared)) << target;
    }
    EXPECT_EQ(home.read("notes.txt"), notes);
    EXPECT_EQ(home.read("their-table.dll"), recordsOf(lettersOneToTen()));
}

TEST(TableLinks, TheLinkIsReplacedWhenItLeadsToSomethingThatIsNoTable)
{
    TempFolder folder;
    folder.write("notes.txt", notes);
    fs::create_directory(folder / "a folder");
    folder.write("a folder/keep.txt", "keep");
    fs::create_directory(folder / "empty");
    for (const fs::path& target : {fs::path("notes.txt"), fs::path("a folder"), fs::path("/dev/null"),
                                  fs::path("no such folder/topten.dll")}) {
        SCOPED_TRACE(target.string());
        fs::remove(folder / scoreFileName);
        fs::create_symlink(target, folder / scoreFileName);
        writeAnn(folder);
        EXPECT_FALSE(fs::is_symlink(folder / scoreFileName));
        EXPECT_TRUE(tableHoldsAnn(folder));
    }
    EXPECT_EQ(folder.read("notes.txt"), notes);
    EXPECT_EQ(folder.read("a folder/keep.txt"), "keep");
    EXPECT_FALSE(fs::exists(folder / "no such folder"));
}

TEST(TableLinks, ChainsOfThePlayersLinksLeadToTheTable)
{
    TempFolder folder;
    fs::create_directories(folder / "kept/deeper");
    folder.write("kept/deeper/scores.dll", recordsOf(lettersOneToTen()));
    fs::create_symlink("deeper/scores.dll", folder / "kept/hop");
    fs::create_symlink("kept/hop", folder / scoreFileName);
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    EXPECT_EQ(table.names[1], "A");
    writeAnn(folder);
    EXPECT_TRUE(fs::is_symlink(folder / scoreFileName));
    EXPECT_TRUE(fs::is_symlink(folder / "kept/hop"));
    EXPECT_EQ(folder.read("kept/deeper/scores.dll").substr(0, 9), "\"Ann\",7\r\n");

    // A link to a table not made yet makes it there.
    TempFolder fresh;
    fs::create_directory(fresh / "kept");
    fs::create_symlink("kept/new.dll", fresh / scoreFileName);
    EXPECT_EQ(ReadScores(table, tableIn(fresh.path())).state, TableRead::State::Missing);
    writeAnn(fresh);
    EXPECT_TRUE(fs::is_symlink(fresh / scoreFileName));
    EXPECT_EQ(fresh.read("kept/new.dll").substr(0, 9), "\"Ann\",7\r\n");

    // A loop of links leads nowhere and is replaced.
    TempFolder loop;
    fs::create_symlink("other", loop / scoreFileName);
    fs::create_symlink(scoreFileName, loop / "other");
    writeAnn(loop);
    EXPECT_FALSE(fs::is_symlink(loop / scoreFileName));
    EXPECT_TRUE(fs::is_symlink(loop / "other"));
}

TEST(TableLinks, AChainThroughAnotherUsersLinkIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a link that belongs to another user";
    TempFolder folder;
    const std::string theirs = recordsOf(lettersOneToTen());
    folder.write("their-table.dll", theirs);
    fs::create_symlink("their-table.dll", folder / "their-link");
    ASSERT_EQ(::lchown((folder / "their-link").c_str(), otherUser, otherUser), 0);
    fs::create_symlink("their-link", folder / scoreFileName);
    writeAnn(folder);
    EXPECT_FALSE(fs::is_symlink(folder / scoreFileName));
    EXPECT_EQ(folder.read("their-table.dll"), theirs);
}

// A link the player made, whose way leads through a folder link another
// user put into a folder they share: the table is not looked for behind
// it, so nothing is written into the folder that link points to.
TEST(TableLinks, AnotherUsersLinkInTheMiddleOfTheChainIsNotFollowed)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to make a link that belongs to another user";
    TempFolder folder, theirs;
    const fs::path shared = folder / "shared";
    fs::create_directories(shared / "x");
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    fs::create_symlink(theirs.path(), shared / "d");
    ASSERT_EQ(::lchown((shared / "d").c_str(), otherUser, otherUser), 0);
    for (const fs::path& target : {fs::path("shared/d") / scoreFileName,
                                  fs::path("shared/x/../d") / scoreFileName, shared / "d" / scoreFileName}) {
        SCOPED_TRACE(target.string());
        fs::remove(folder / scoreFileName);
        fs::create_symlink(target, folder / scoreFileName);
        ScoreTable now;
        TableRead found;
        EXPECT_EQ(RestoreDefaultScores(Folder::open(folder.path()), now, found).outcome, RecoveryOutcome::Restored);
        EXPECT_EQ(found.state, TableRead::State::Damaged);
        EXPECT_FALSE(fs::is_symlink(folder / scoreFileName));
        EXPECT_TRUE(fs::is_empty(theirs.path()));
    }
}

// A link the player made is swapped for another, right after the game has
// judged it: the game follows the link it judged, never the one put there
// meanwhile (another user's, as root).
TEST(TableLinks, ALinkSwappedWhileItIsFollowedIsNotTheOneRead)
{
    TempFolder folder;
    const std::string theirs = recordsOf(lettersOneToTen());
    fs::create_directories(folder / "mine");
    fs::create_directories(folder / "theirs");
    folder.write("mine/table.dll", recordsOf(lettersOneToTen()));
    folder.write("theirs/table.dll", theirs);
    fs::create_symlink("mine/table.dll", folder / scoreFileName);
    TablePlace place;
    {
        BeforeNextLinkRead swap([&] {
            fs::create_symlink("theirs/table.dll", folder / "swapped");
            if (isRoot())
                ::lchown((folder / "swapped").c_str(), otherUser, otherUser);
            fs::rename(folder / "swapped", folder / scoreFileName);
        });
        place = tableIn(folder.path());
    }
    ASSERT_TRUE(WriteScores(annsTable(), place));
    EXPECT_EQ(folder.read("mine/table.dll").substr(0, 9), "\"Ann\",7\r\n");
    EXPECT_EQ(folder.read("theirs/table.dll"), theirs);
}

// A table the player cannot read may hold every score they have: it is
// neither replaced by the recovery nor written over at game over, whether
// the file itself is closed to the player, or the file or the folder a
// chain of links leads to.
TEST(TableLinks, ATableThePlayerCannotReadIsLeftAsItIs)
{
    enum class Closed { Table, TableBehindLinks, FolderBehindLinks };
    for (const Closed closedPart : {Closed::Table, Closed::TableBehindLinks, Closed::FolderBehindLinks}) {
        SCOPED_TRACE(static_cast<int>(closedPart));
        const bool throughLinks = closedPart != Closed::Table;
        TempFolder folder;
        const std::string table = recordsOf(lettersOneToTen());
        fs::permissions(folder.path(), fs::perms::all);  // the player may write beside it
        const fs::path closed = throughLinks ? folder / "shared" / "table.dll" : folder / scoreFileName;
        fs::create_directories(closed.parent_path());
        std::ofstream(closed, std::ios::binary) << table;
        if (throughLinks) {
            fs::create_symlink(closed, folder / "hop");
            fs::create_symlink("hop", folder / scoreFileName);
        }
        fs::permissions(closedPart == Closed::FolderBehindLinks ? closed.parent_path() : closed,
                        fs::perms::none);
        EXPECT_TRUE(runAs(firstPlayer, [&] {
            const Folder gameFolder = Folder::open(folder.path());
            ScoreTable read;
            if (ReadScores(read, FindTable(gameFolder)).state != TableRead::State::Unreadable)
                return false;
            ScoreTable now;
            TableRead found;
            if (RestoreDefaultScores(gameFolder, now, found).outcome != RecoveryOutcome::Unreadable)
                return false;
            return RecordEntry(gameFolder, ScoreTable::defaults(), "Ann", 7, now).outcome
                   == EntryOutcome::WriteFailed;
        }));
        fs::permissions(closed.parent_path(), fs::perms::owner_all);
        fs::permissions(closed, fs::perms::owner_read);
        EXPECT_EQ(folder.read(fs::relative(closed, folder.path()).string()), table);
        EXPECT_EQ(fs::is_symlink(folder / scoreFileName), throughLinks);
    }
}

}  // namespace
