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

#include <fcntl.h>
#include <sys/file.h>
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

// Bee's copy takes the lock, says so, and writes Bee 40 into `before`,
// slowly: this returns as soon as the lock is Bee's, while Bee still writes.
pid_t beeWritingSlowlyUnderTheLock(uid_t bee, const TempFolder& folder, const ScoreTable& before)
{
    int locked[2];
    EXPECT_EQ(::pipe(locked), 0);
    const pid_t copy = startAs(bee, [&] {
        const TablePlace place = tableIn(folder.path());
        ScoreFileLock lock(place);
        if (!lock.held() || ::write(locked[1], "x", 1) != 1)
            return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ScoreTable table = before;
        table.names[1] = "Bee";
        table.scores[1] = 40;
        return WriteScores(table, place) ? 0 : 1;
    });
    ::close(locked[1]);
    EXPECT_TRUE(awaitSignal(locked[0]));
    ::close(locked[0]);
    return copy;
}

// Bee's copy is in the middle of its write, slowly, when Ann's begins:
// Ann's copy must wait for the lock, read Bee's result and keep it.
void annWritesWhileBeeHoldsTheLock(uid_t bee, uid_t ann)
{
    TempFolder folder;
    shareWithBothPlayers(folder);
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    const ScoreTable judged = judgedTable(defaults());
    const pid_t beeCopy = beeWritingSlowlyUnderTheLock(bee, folder, judged);
    const pid_t annCopy = startAs(ann, [&] {
        ScoreTable now;
        return recordEntry(Folder::open(folder.path()), judged, "Ann", 50, now).outcome
                       == EntryOutcome::Written ? 0 : 1;
    });
    EXPECT_EQ(finish(annCopy), 0);
    EXPECT_EQ(finish(beeCopy), 0);

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

// Rounds of eight game overs at once, by two players when run as root.
// Counts the entries that were lost although their copy said they were
// written, and those whose copy said they were not (its player is told).
struct Losses {
    int silent = 0, told = 0;
};
Losses eightGameOversAtOnce(const TempFolder& folder, int rounds)
{
    const ScoreTable judged = judgedTable(defaults());
    Losses losses;
    for (int round = 0; round < rounds; ++round) {
        EXPECT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
        int gate[2], results[2];
        EXPECT_EQ(::pipe(gate), 0);
        EXPECT_EQ(::pipe(results), 0);
        std::vector<pid_t> copies;
        for (int copy = 0; copy < 8; ++copy) {
            const uid_t player = !isRoot() ? ::geteuid() : copy % 2 ? secondPlayer : firstPlayer;
            copies.push_back(startAs(player, [&, copy] {
                ::close(gate[1]);
                awaitSignal(gate[0]);  // the gate opens for all copies at once
                ScoreTable now;
                const EntryResult result = recordEntry(Folder::open(folder.path()), judged,
                                                       "P" + std::to_string(copy), 100 + copy, now);
                const char written = result.outcome == EntryOutcome::Written ? 'w' : 't';
                return ::write(results[1], &written, 1) == 1 ? 0 : 1;
            }));
        }
        ::close(gate[0]);
        ::close(gate[1]);  // every copy's game ends now
        ::close(results[1]);
        for (const pid_t copy : copies)
            EXPECT_EQ(finish(copy), 0) << "round " << round;
        int written = 0;
        char outcome = 0;
        while (::read(results[0], &outcome, 1) == 1)
            written += outcome == 'w';
        ::close(results[0]);
        const ScoreTable table = fileTable(folder);
        int inTable = 0;
        for (int copy = 0; copy < 8; ++copy)
            inTable += holds(table, "P" + std::to_string(copy), 100 + copy);
        losses.silent += written - inTable;
        losses.told += 8 - written;
    }
    return losses;
}

TEST(TwoCopies, EightSimultaneousGameOversByTwoPlayersLoseNoEntry)
{
    TempFolder folder;
    shareWithBothPlayers(folder);
    const Losses losses = eightGameOversAtOnce(folder, 20);
    EXPECT_EQ(losses.silent, 0) << "of 160 entries";
    EXPECT_EQ(losses.told, 0);
}

// What another user may leave where older versions kept their lock file:
// a named pipe, a folder, a file held locked for ever. The lock is the
// folder's own, so none of them costs an entry or a word to the player.
TEST(TwoCopies, WhatStandsWhereALockFileWasCostsNoEntry)
{
    for (const char* left : {"a named pipe", "a folder", "a file locked for ever"}) {
        TempFolder folder;
        shareWithBothPlayers(folder);
        const fs::path oldLock = folder / "topten.dll.lock";
        if (left == std::string("a named pipe"))
            ASSERT_EQ(::mkfifo(oldLock.c_str(), 0666), 0);
        else if (left == std::string("a folder"))
            fs::create_directory(oldLock);
        else
            folder.write("topten.dll.lock", "");
        FileDescriptor held(::open(oldLock.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        ASSERT_TRUE(held.valid());
        ASSERT_EQ(::flock(held.get(), LOCK_EX | LOCK_NB), 0);
        const Losses losses = eightGameOversAtOnce(folder, 10);
        EXPECT_EQ(losses.silent, 0) << left << ", of 80 entries";
        EXPECT_EQ(losses.told, 0) << left;
    }
}

// Another program, of another user when run as root, keeps the folder's
// lock past the wait, as `flock -x folder sleep` would. Where other users
// may write, nothing is written and the copy says why, naming the folder;
// the wait is shown to the game while it lasts.
TEST(TwoCopies, ALockHeldPastTheWaitWritesNothingWhereOthersMayWrite)
{
    TempFolder folder;
    if (isRoot())
        shareWithBothPlayers(folder);
    else
        fs::permissions(folder.path(), fs::perms::all);  // anyone may write here
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    const std::string before = folder.read(scoreFileName);
    int locked[2], done[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t holder = startAs(isRoot() ? secondPlayer : ::geteuid(), [&] {
        ::close(done[1]);  // so that the end of this test ends the hold too
        FileDescriptor held(::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (::flock(held.get(), LOCK_EX) != 0 || ::write(locked[1], "x", 1) != 1)
            return 1;
        return awaitSignal(done[0]) ? 0 : 1;
    });
    ::close(locked[1]);
    ::close(done[0]);
    ASSERT_TRUE(awaitSignal(locked[0]));

    std::vector<bool> waits;
    ScoreTable now;
    const EntryResult result =
        recordEntry(Folder::open(folder.path()), judgedTable(defaults()), "Ann", 50, now,
                    [&](bool waiting) { waits.push_back(waiting); }, std::chrono::milliseconds(200));
    EXPECT_EQ(result.outcome, EntryOutcome::NotWritten);
    EXPECT_EQ(result.refusal, WriteRefusal::LockBusy);
    EXPECT_EQ(result.place.folder.path(), folder.path());
    EXPECT_EQ(folder.read(scoreFileName), before);
    EXPECT_GE(waits.size(), 2u);
    EXPECT_TRUE(!waits.empty() && waits.front());
    EXPECT_TRUE(!waits.empty() && !waits.back());

    // In a folder plainly the player's, the game goes on without the lock.
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_EQ(recordEntry(Folder::open(folder.path()), judgedTable(defaults()), "Ann", 50, now, {},
                          std::chrono::milliseconds(50)).outcome,
              EntryOutcome::Written);
    EXPECT_TRUE(holds(fileTable(folder), "Ann", 50));
    ASSERT_EQ(::write(done[1], "x", 1), 1);
    EXPECT_EQ(finish(holder), 0);
    ::close(locked[0]);
    ::close(done[1]);
}

// A sticky folder their group shares: the table is the first player's,
// and only she may replace it. The second player's entry is not written,
// his copy says so, and nothing of his is left in the folder.
TEST(TwoCopies, ASharedStickyFolderKeepsOnlyTheTableOwnersScores)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to act as two players";
    TempFolder folder;
    ASSERT_EQ(::chown(folder.path().c_str(), 0, sharedGroup), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 03770), 0);
    const ScoreTable judged = judgedTable(defaults());
    auto outcomeAs = [&](uid_t player, const std::string& name, std::int32_t score) {
        return finish(startAs(player, [&] {
            ScoreTable now;
            const EntryResult result = recordEntry(Folder::open(folder.path()), judged, name,
                                                   score, now);
            if (result.outcome == EntryOutcome::Written)
                return 0;
            return result.refusal == WriteRefusal::OwnersFolder && result.place.folder.path() == folder.path()
                       ? 10 : 1;
        }));
    };
    EXPECT_EQ(outcomeAs(firstPlayer, "Ann", 50), 0);
    EXPECT_EQ(outcomeAs(secondPlayer, "Bee", 60), 10);
    EXPECT_EQ(outcomeAs(firstPlayer, "Ann", 70), 0);
    const ScoreTable table = fileTable(folder);
    EXPECT_TRUE(holds(table, "Ann", 70));
    EXPECT_FALSE(holds(table, "Bee", 60));
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename(), scoreFileName);

    // The start-up recovery leaves her damaged table to her too.
    folder.write(scoreFileName, "damaged");
    ASSERT_EQ(::chown((folder / scoreFileName).c_str(), firstPlayer, sharedGroup), 0);
    EXPECT_TRUE(runAs(secondPlayer, [&] {
        ScoreTable now;
        TableRead found;
        const RecoveryResult result = restoreDefaultScores(Folder::open(folder.path()), now, found);
        return result.outcome == RecoveryOutcome::NotWritten
               && result.refusal == WriteRefusal::OwnersFolder;
    }));
    EXPECT_EQ(folder.read(scoreFileName), "damaged");
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
        ASSERT_EQ(recordEntry(Folder::open(folder.path()), judged, "Bee", 60, now).outcome,
                  EntryOutcome::Written);
        // Ann beat the lowest score she was judged against (10), but not
        // the lowest one the file holds now (60).
        EXPECT_EQ(recordEntry(Folder::open(folder.path()), judged, "Ann", annScore, now).outcome,
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
    removeStaleScoreFilesWhenIdle(Folder::open(folder.path()));
    EXPECT_TRUE(fs::exists(folder / inFlight));
    ASSERT_EQ(::write(done[1], "x", 1), 1);
    EXPECT_EQ(finish(writer), 0);

    // Once no copy writes, the same file is a leftover and goes.
    removeStaleScoreFilesWhenIdle(Folder::open(folder.path()));
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
    const pid_t other = beeWritingSlowlyUnderTheLock(::geteuid(), folder, ScoreTable::defaults());
    ScoreTable now;
    TableRead found;
    EXPECT_EQ(restoreDefaultScores(Folder::open(folder.path()), now, found).outcome,
              RecoveryOutcome::KeptOtherTable);
    EXPECT_EQ(finish(other), 0);
    EXPECT_TRUE(holds(fileTable(folder), "Bee", 40));
    EXPECT_TRUE(holds(now, "Bee", 40));

    // With no other copy about, a damaged table gets the defaults.
    folder.write(scoreFileName, "damaged");
    EXPECT_EQ(restoreDefaultScores(Folder::open(folder.path()), now, found).outcome,
              RecoveryOutcome::Restored);
    EXPECT_EQ(fileTable(folder), ScoreTable::defaults());
}

// A copy that keeps the lock far too long: the others give up waiting.
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
    ASSERT_EQ(::write(done[1], "x", 1), 1);
    EXPECT_EQ(finish(holder), 0);
    ::close(locked[0]);
    ::close(done[1]);
}

}  // namespace
