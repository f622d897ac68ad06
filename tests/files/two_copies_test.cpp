// SPDX-License-Identifier: GPL-3.0-or-later
// Copies of the game sharing one table, as one player or as two players
// whose folder is shared: no result that still belongs in the top ten is
// lost to another copy, and none clears away another's temporary file.
// Each copy is a forked process; run as root, the copies also run as two
// other users in a folder their group shares.
#include "scores/score_entry.h"
#include "scores/score_lock.h"

#include "support/score_builders.h"
#include "support/forked_player.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace vermo;
using namespace vermo::testing;
namespace fs = std::filesystem;

// A folder both players may write to: the group's, as a shared games
// folder would be set up. Without root, simply this user's folder.
void shareWithBothPlayers(const TempFolder& folder)
{
    if (!isRoot())
        return;
    ASSERT_EQ(::chown(folder.path().c_str(), 0, sharedGroup), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 02770), 0);
}

// Both copies judged their game against this table (sorted, lowest first).
ScoreTable judgedTable(const std::vector<Entry>& entries)
{
    ScoreTable table = tableOf(entries);
    SortScores(table);
    return table;
}

ScoreTable fileTable(const TempFolder& folder)
{
    ScoreTable table;
    EXPECT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    SortScores(table);
    return table;
}

bool holds(const ScoreTable& table, const std::string& name, std::int32_t score)
{
    for (int i = 1; i <= 10; ++i)
        if (table.names[i] == name && table.scores[i] == score)
            return true;
    return false;
}

std::vector<Entry> defaults() { return std::vector<Entry>(10, Entry{"Computer", 0}); }

// Waits until the other copy says it holds the lock (one byte on a pipe);
// a copy that ends without saying so ends the wait too.
bool awaitSignal(int fd)
{
    char byte = 0;
    return ::read(fd, &byte, 1) == 1;
}

// Bee's copy is in the middle of its write, slowly, when Ann's begins:
// Ann's copy must wait for the lock, read Bee's result and keep it.
void annWritesWhileBeeHoldsTheLock(uid_t bee, uid_t ann)
{
    TempFolder folder;
    shareWithBothPlayers(folder);
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    const ScoreTable judged = judgedTable(defaults());
    int locked[2];
    ASSERT_EQ(::pipe(locked), 0);

    const pid_t beeCopy = startAs(bee, [&] {
        const TablePlace place = tableIn(folder.path());
        ScoreFileLock lock(place);
        if (!lock.held() || ::write(locked[1], "x", 1) != 1)
            return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ScoreTable table = judged;
        table.names[1] = "Bee";
        table.scores[1] = 40;
        return WriteScores(table, place) ? 0 : 1;
    });
    ::close(locked[1]);
    ASSERT_TRUE(awaitSignal(locked[0]));
    const pid_t annCopy = startAs(ann, [&] {
        ScoreTable now;
        return RecordEntry(Folder::open(folder.path()), judged, "Ann", 50, now) == EntryOutcome::Written
                   ? 0 : 1;
    });
    EXPECT_EQ(finish(annCopy), 0);
    EXPECT_EQ(finish(beeCopy), 0);
    ::close(locked[0]);

    const ScoreTable table = fileTable(folder);
    EXPECT_TRUE(holds(table, "Ann", 50));
    EXPECT_TRUE(holds(table, "Bee", 40));
}

TEST(TwoCopies, AWriteWaitsForTheOtherCopysWriteAndKeepsItsEntry)
{
    annWritesWhileBeeHoldsTheLock(::geteuid(), ::geteuid());
}

TEST(TwoCopies, TwoPlayersInASharedFolderWaitForEachOther)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to act as two players";
    annWritesWhileBeeHoldsTheLock(firstPlayer, secondPlayer);
}

TEST(TwoCopies, EightSimultaneousGameOversByTwoPlayersLoseNoEntry)
{
    TempFolder folder;
    shareWithBothPlayers(folder);
    const ScoreTable judged = judgedTable(defaults());
    int lost = 0;
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        std::vector<pid_t> copies;
        for (int copy = 0; copy < 8; ++copy) {
            const uid_t player = !isRoot() ? ::geteuid() : copy % 2 ? secondPlayer : firstPlayer;
            copies.push_back(startAs(player, [&, copy] {
                ::close(gate[1]);
                awaitSignal(gate[0]);  // the gate opens for all copies at once
                ScoreTable now;
                return RecordEntry(Folder::open(folder.path()), judged, "P" + std::to_string(copy),
                                   100 + copy, now) == EntryOutcome::Written ? 0 : 1;
            }));
        }
        ::close(gate[0]);
        ::close(gate[1]);  // every copy's game ends now
        for (const pid_t copy : copies)
            EXPECT_EQ(finish(copy), 0) << "round " << round;
        const ScoreTable table = fileTable(folder);
        for (int copy = 0; copy < 8; ++copy)
            lost += !holds(table, "P" + std::to_string(copy), 100 + copy);
    }
    EXPECT_EQ(lost, 0) << "of 160 entries";
}

TEST(TwoCopies, AnEntryPushedOutByTheOtherCopyIsNotWritten)
{
    // A tie with the lowest score the file holds now is pushed out too.
    for (const int annScore : {30, 60}) {
        TempFolder folder;
        std::vector<Entry> entries(9, Entry{"Old", 100});
        entries.emplace_back("Low", 10);
        ASSERT_TRUE(WriteScores(tableOf(entries), tableIn(folder.path())));
        const ScoreTable judged = judgedTable(entries);

        ScoreTable now;
        ASSERT_EQ(RecordEntry(Folder::open(folder.path()), judged, "Bee", 60, now),
                  EntryOutcome::Written);
        // Ann beat the lowest score she was judged against (10), but not
        // the lowest one the file holds now (60).
        EXPECT_EQ(RecordEntry(Folder::open(folder.path()), judged, "Ann", annScore, now),
                  EntryOutcome::NoLongerQualifies);
        const ScoreTable table = fileTable(folder);
        EXPECT_TRUE(holds(table, "Bee", 60));
        EXPECT_FALSE(holds(table, "Ann", annScore));
        EXPECT_EQ(now, table);
    }
}

TEST(TwoCopies, StartUpLeavesTheTemporaryFileOfACopyThatIsWriting)
{
    TempFolder folder;
    // Named as if its copy had ended: only the lock tells it is in use.
    const std::string inFlight = "topten.dll." + std::to_string(endedProcess()) + ".Ab3xZ9.tmp";
    int locked[2], done[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t writer = startAs(::geteuid(), [&] {
        ScoreFileLock lock(tableIn(folder.path()));
        folder.write(inFlight, "half a table");
        if (!lock.held() || ::write(locked[1], "x", 1) != 1)
            return 1;
        return awaitSignal(done[0]) ? 0 : 1;  // holds the lock until told
    });
    ::close(locked[1]);
    ::close(done[0]);
    ASSERT_TRUE(awaitSignal(locked[0]));
    RemoveStaleScoreFilesWhenIdle(Folder::open(folder.path()));
    EXPECT_TRUE(fs::exists(folder / inFlight));
    ASSERT_EQ(::write(done[1], "x", 1), 1);
    EXPECT_EQ(finish(writer), 0);

    // Once no copy writes, the same file is a leftover and goes.
    RemoveStaleScoreFilesWhenIdle(Folder::open(folder.path()));
    EXPECT_FALSE(fs::exists(folder / inFlight));
    ::close(locked[0]);
    ::close(done[1]);
}

// While this copy's recovery message was open, the other copy recorded
// Bee, slowly, under the lock: the recovery waits and keeps Bee's table.
TEST(TwoCopies, RecoveryWaitsForTheOtherCopyAndKeepsItsTable)
{
    TempFolder folder;
    folder.write(scoreFileName, "damaged");
    int locked[2];
    ASSERT_EQ(::pipe(locked), 0);
    const pid_t other = startAs(::geteuid(), [&] {
        const TablePlace place = tableIn(folder.path());
        ScoreFileLock lock(place);
        if (!lock.held() || ::write(locked[1], "x", 1) != 1)
            return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ScoreTable table = ScoreTable::defaults();
        table.names[1] = "Bee";
        table.scores[1] = 40;
        return WriteScores(table, place) ? 0 : 1;
    });
    ::close(locked[1]);
    ASSERT_TRUE(awaitSignal(locked[0]));
    ScoreTable now;
    TableRead found;
    EXPECT_EQ(RestoreDefaultScores(Folder::open(folder.path()), now, found),
              RecoveryOutcome::KeptOtherTable);
    EXPECT_EQ(finish(other), 0);
    ::close(locked[0]);
    EXPECT_TRUE(holds(fileTable(folder), "Bee", 40));
    EXPECT_TRUE(holds(now, "Bee", 40));

    // With no other copy about, a damaged table gets the defaults.
    folder.write(scoreFileName, "damaged");
    EXPECT_EQ(RestoreDefaultScores(Folder::open(folder.path()), now, found),
              RecoveryOutcome::Restored);
    EXPECT_EQ(fileTable(folder), ScoreTable::defaults());
}

// A copy that keeps the lock far too long: the others give up waiting.
// The recovery then leaves the table alone; where no lock can be had at
// all, nobody waits.
TEST(TwoCopies, GivingUpOnTheLock)
{
    TempFolder folder;
    folder.write(scoreFileName, "damaged");
    int locked[2], done[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t holder = startAs(::geteuid(), [&] {
        ScoreFileLock lock(tableIn(folder.path()));
        if (!lock.held() || ::write(locked[1], "x", 1) != 1)
            return 1;
        return awaitSignal(done[0]) ? 0 : 1;
    });
    ::close(locked[1]);
    ::close(done[0]);
    ASSERT_TRUE(awaitSignal(locked[0]));

    EXPECT_EQ(ScoreFileLock(tableIn(folder.path()), std::chrono::milliseconds(50)).state(),
              ScoreFileLock::State::Busy);
    ScoreTable now;
    TableRead found;
    EXPECT_EQ(RestoreDefaultScores(Folder::open(folder.path()), now, found), RecoveryOutcome::Busy);
    EXPECT_EQ(folder.read(scoreFileName), "damaged");

    ASSERT_EQ(::write(done[1], "x", 1), 1);
    EXPECT_EQ(finish(holder), 0);
    ::close(locked[0]);
    ::close(done[1]);

    TempFolder noLocks;
    fs::create_directory(noLocks / "topten.dll.lock");
    EXPECT_EQ(ScoreFileLock(tableIn(noLocks.path()), std::chrono::hours(1)).state(),
              ScoreFileLock::State::Unavailable);
}

}  // namespace
