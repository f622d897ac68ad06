// SPDX-License-Identifier: GPL-3.0-or-later
// A link named like the table that the player or root made is the
// player's setting: followed to a table (or to a file not made yet), and
// otherwise left exactly as it is, with whatever it points to, while
// nothing is kept elsewhere. Another user's link counts as a damaged
// table. A table the player cannot read is never written over.
#include "scores/score_entry.h"

#include "support/score_builders.h"
#include "support/call_seams.h"
#include "support/forked_player.h"
#include "support/other_users.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace vermo;
using namespace vermo::testing;
namespace fs = std::filesystem;

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

// The player's link where it cannot be followed to a table: into a
// folder that is not mounted, to something that is no table, through
// another user's link (by a `..` too), round a loop. Nothing reads or
// writes through it, the recovery and a game over leave it and what it
// points to as they are, and nothing is written anywhere else.
TEST(TableLinks, ThePlayersLinkThatLeadsToNoTableIsLeftAsItIs)
{
    TempFolder folder;
    const auto users = std::make_shared<OtherUsers>();
    folder.write("notes.txt", notes);
    fs::create_directories(folder / "a folder");
    folder.write("a folder/keep.txt", "keep");
    fs::create_directories(folder / "shared/x");
    fs::create_directories(folder / "theirs");
    fs::create_symlink(folder / "theirs", folder / "shared/d");
    users->give(folder / "shared/d");
    fs::create_symlink("loop", folder / "other");
    fs::create_symlink("other", folder / "loop");
    const std::pair<std::string, LinkLeftAlone> cases[] = {
        {"unmounted/vermo/topten.dll", LinkLeftAlone::MissingFolder},
        {"notes.txt", LinkLeftAlone::NoTable},
        {"a folder", LinkLeftAlone::NoTable},
        {"/dev/null", LinkLeftAlone::NoTable},
        {"shared/d/topten.dll", LinkLeftAlone::AnotherUsers},
        {"shared/x/../d/topten.dll", LinkLeftAlone::AnotherUsers},
        {(folder / "shared/d/topten.dll").string(), LinkLeftAlone::AnotherUsers},
        {"loop", LinkLeftAlone::Loop}};
    for (const auto& [target, why] : cases) {
        SCOPED_TRACE(target);
        fs::remove(folder / scoreFileName);
        fs::create_symlink(target, folder / scoreFileName);
        const Folder game = Folder::open(folder.path(), users);
        const TablePlace place = findTable(game);
        EXPECT_EQ(place.leftAlone, why);
        EXPECT_EQ(place.linkTarget, target);
        ScoreTable now;
        TableRead found;
        EXPECT_EQ(restoreDefaultScores(game, now, found).refusal, WriteRefusal::LinkLeftAlone);
        EXPECT_EQ(recordEntry(game, ScoreTable::defaults(), "Ann", 7, now).refusal,
                  WriteRefusal::LinkLeftAlone);
        EXPECT_EQ(now, ScoreTable::defaults());
        EXPECT_EQ(fs::read_symlink(folder / scoreFileName), target);
    }
    EXPECT_EQ(folder.read("notes.txt"), notes);
    EXPECT_EQ(folder.read("a folder/keep.txt"), "keep");
    EXPECT_FALSE(fs::exists(folder / "unmounted"));
    EXPECT_TRUE(fs::is_empty(folder / "theirs"));
    EXPECT_TRUE(tempFilesIn(folder.path()).empty());
}

// Another user's link named like the table, where others may write: no
// setting of the player's, it counts as a damaged table and is replaced,
// and what it points to is left alone.
TEST(TableLinks, AnotherUsersLinkNamedLikeTheTableIsReplaced)
{
    TempFolder shared, home;
    const auto users = std::make_shared<OtherUsers>();
    fs::permissions(shared.path(), fs::perms::all | fs::perms::sticky_bit);
    home.write("their-table.dll", recordsOf(lettersOneToTen()));
    fs::create_symlink(home / "their-table.dll", shared / scoreFileName);
    users->give(shared / scoreFileName);
    const TablePlace place = findTable(Folder::open(shared.path(), users));
    ScoreTable table;
    EXPECT_EQ(ReadScores(table, place).state, TableRead::State::Damaged);
    ASSERT_TRUE(WriteScores(annsTable(), place));
    EXPECT_FALSE(fs::is_symlink(shared / scoreFileName));
    EXPECT_TRUE(tableHoldsAnn(shared));
    EXPECT_EQ(home.read("their-table.dll"), recordsOf(lettersOneToTen()));
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

    // A `..` climbs out of the folder it stands in.
    TempFolder climbing;
    climbing.write("table.dll", recordsOf(lettersOneToTen()));
    fs::create_directories(climbing / "kept");
    fs::create_symlink("kept/../table.dll", climbing / scoreFileName);
    writeAnn(climbing);
    EXPECT_EQ(climbing.read("table.dll").substr(0, 9), "\"Ann\",7\r\n");
    EXPECT_FALSE(fs::exists(climbing / "kept/table.dll"));
}

// A link the player made is swapped for another, right after the game has
// judged it: the game follows the link it judged, never the one put there
// meanwhile (another user's).
TEST(TableLinks, ALinkSwappedWhileItIsFollowedIsNotTheOneRead)
{
    TempFolder folder;
    const std::string theirs = recordsOf(lettersOneToTen());
    fs::create_directories(folder / "mine");
    fs::create_directories(folder / "theirs");
    folder.write("mine/table.dll", recordsOf(lettersOneToTen()));
    folder.write("theirs/table.dll", theirs);
    fs::create_symlink("mine/table.dll", folder / scoreFileName);
    const auto users = std::make_shared<OtherUsers>();
    TablePlace place;
    {
        BeforeNextLinkRead swap([&] {
            fs::create_symlink("theirs/table.dll", folder / "swapped");
            users->give(folder / "swapped");
            fs::rename(folder / "swapped", folder / scoreFileName);
        });
        place = findTable(Folder::open(folder.path(), users));
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
            if (ReadScores(read, findTable(gameFolder)).state != TableRead::State::Unreadable)
                return false;
            ScoreTable now;
            TableRead found;
            if (restoreDefaultScores(gameFolder, now, found).outcome != RecoveryOutcome::Unreadable)
                return false;
            return recordEntry(gameFolder, ScoreTable::defaults(), "Ann", 7, now).outcome
                   == EntryOutcome::WriteFailed;
        }));
        fs::permissions(closed.parent_path(), fs::perms::owner_all);
        fs::permissions(closed, fs::perms::owner_read);
        EXPECT_EQ(folder.read(fs::relative(closed, folder.path()).string()), table);
        EXPECT_EQ(fs::is_symlink(folder / scoreFileName), throughLinks);
    }
}

}  // namespace
