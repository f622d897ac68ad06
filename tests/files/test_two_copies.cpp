// Two copies of the game in one folder: no result that still belongs in
// the top ten is lost to the other copy, and neither clears away the
// other's temporary file. Each copy is a forked process.
#include "scores/score_entry.h"
#include "scores/score_lock.h"

#include "files/score_builders.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace vermo;
using namespace vermo::testing;

// Runs `body` in a forked copy; its result is the copy's exit code.
pid_t startCopy(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    return child;
}

int finish(pid_t copy)
{
    int status = 0;
    ::waitpid(copy, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
    EXPECT_TRUE(ReadScores(table, folder / scoreFileName));
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

TEST(TwoCopies, BothEntriesAreKeptWhicheverCopyWritesFirst)
{
    for (const bool annFirst : {true, false}) {
        SCOPED_TRACE(annFirst ? "Ann first" : "Bee first");
        TempFolder folder;
        ASSERT_TRUE(WriteScores(ScoreTable::defaults(), folder / scoreFileName));
        const ScoreTable judged = judgedTable(defaults());
        auto record = [&](const char* name, int score) {
            return startCopy([&, name, score] {
                ScoreTable now;
                return RecordEntry(folder / scoreFileName, judged, name, score, now)
                           == EntryOutcome::Written ? 0 : 1;
            });
        };
        EXPECT_EQ(finish(record(annFirst ? "Ann" : "Bee", annFirst ? 50 : 40)), 0);
        EXPECT_EQ(finish(record(annFirst ? "Bee" : "Ann", annFirst ? 40 : 50)), 0);

        const ScoreTable table = fileTable(folder);
        EXPECT_TRUE(holds(table, "Ann", 50));
        EXPECT_TRUE(holds(table, "Bee", 40));
    }
}

TEST(TwoCopies, AnEntryPushedOutByTheOtherCopyIsNotWritten)
{
    TempFolder folder;
    std::vector<Entry> entries(9, Entry{"Old", 100});
    entries.emplace_back("Low", 10);
    ASSERT_TRUE(WriteScores(tableOf(entries), folder / scoreFileName));
    const ScoreTable judged = judgedTable(entries);

    ScoreTable now;
    ASSERT_EQ(RecordEntry(folder / scoreFileName, judged, "Bee", 60, now), EntryOutcome::Written);
    // Ann beat the lowest score she was judged against (10), but not the
    // lowest one the file holds now (60).
    EXPECT_EQ(RecordEntry(folder / scoreFileName, judged, "Ann", 30, now),
              EntryOutcome::NoLongerQualifies);
    const ScoreTable table = fileTable(folder);
    EXPECT_TRUE(holds(table, "Bee", 60));
    EXPECT_FALSE(holds(table, "Ann", 30));
    EXPECT_EQ(now, table);
}

// Waits until the other copy says it holds the lock (one byte on a pipe);
// a copy that ends without saying so ends the wait too.
void awaitSignal(int fd)
{
    char byte = 0;
    ASSERT_EQ(::read(fd, &byte, 1), 1);
}

TEST(TwoCopies, AWriteWaitsForTheOtherCopysWriteAndKeepsItsEntry)
{
    TempFolder folder;
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), folder / scoreFileName));
    const ScoreTable judged = judgedTable(defaults());
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);

    // Bee's copy is in the middle of its write, slowly, when Ann's begins.
    const pid_t bee = startCopy([&] {
        ScoreFileLock lock(folder / scoreFileName);
        if (!lock.held() || ::write(pipeFds[1], "x", 1) != 1)
            return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ScoreTable table = judged;
        table.names[1] = "Bee";
        table.scores[1] = 40;
        return WriteScores(table, folder / scoreFileName) ? 0 : 1;
    });
    ::close(pipeFds[1]);
    awaitSignal(pipeFds[0]);
    ScoreTable now;
    EXPECT_EQ(RecordEntry(folder / scoreFileName, judged, "Ann", 50, now), EntryOutcome::Written);
    EXPECT_EQ(finish(bee), 0);
    ::close(pipeFds[0]);

    const ScoreTable table = fileTable(folder);
    EXPECT_TRUE(holds(table, "Ann", 50));
    EXPECT_TRUE(holds(table, "Bee", 40));
}

TEST(TwoCopies, StartUpLeavesTheTemporaryFileOfACopyThatIsWriting)
{
    TempFolder folder;
    const std::string inFlight = "topten.dll.Ab3xZ9.tmp";
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    int donePipe[2];
    ASSERT_EQ(::pipe(donePipe), 0);
    const pid_t writer = startCopy([&] {
        ScoreFileLock lock(folder / scoreFileName);
        folder.write(inFlight, "half a table");
        if (!lock.held() || ::write(pipeFds[1], "x", 1) != 1)
            return 1;
        char byte = 0;
        return ::read(donePipe[0], &byte, 1) == 1 ? 0 : 1;  // holds the lock until told
    });
    ::close(pipeFds[1]);
    ::close(donePipe[0]);
    awaitSignal(pipeFds[0]);
    RemoveStaleScoreFilesWhenIdle(folder / scoreFileName);
    EXPECT_TRUE(std::filesystem::exists(folder / inFlight));
    ASSERT_EQ(::write(donePipe[1], "x", 1), 1);
    EXPECT_EQ(finish(writer), 0);

    // Once no copy writes, the same file is a leftover and goes.
    RemoveStaleScoreFilesWhenIdle(folder / scoreFileName);
    EXPECT_FALSE(std::filesystem::exists(folder / inFlight));
    ::close(pipeFds[0]);
    ::close(donePipe[1]);
}

TEST(TwoCopies, RecoveryKeepsATableTheOtherCopyWroteMeanwhile)
{
    TempFolder folder;
    folder.write(scoreFileName, "damaged");
    ScoreTable now;
    // While this copy's recovery message was open, the other copy recorded Bee.
    ScoreTable other = ScoreTable::defaults();
    other.names[1] = "Bee";
    other.scores[1] = 40;
    ASSERT_TRUE(WriteScores(other, folder / scoreFileName));
    ASSERT_TRUE(RestoreDefaultScores(folder / scoreFileName, now));
    EXPECT_TRUE(holds(fileTable(folder), "Bee", 40));
    EXPECT_EQ(now, other);

    folder.write(scoreFileName, "damaged");
    ASSERT_TRUE(RestoreDefaultScores(folder / scoreFileName, now));
    EXPECT_EQ(fileTable(folder), ScoreTable::defaults());
}

}  // namespace
