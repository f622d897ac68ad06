// SPDX-License-Identifier: GPL-3.0-or-later
// A game killed in the middle of writing the high-score file must never
// leave half a table: whatever moment the kill comes, the file holds ten
// whole records, either the old table or the new one.

#include "scores/score_file.h"

#include "support/score_builders.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace vermo;
using namespace vermo::testing;

constexpr int killCount = 200;

std::vector<Entry> shortEntries() { return lettersOneToTen(); }

// Longer names, so that the two files differ in size as well as content.
std::vector<Entry> longEntries()
{
    std::vector<Entry> entries;
    for (int i = 1; i <= 10; ++i)
        entries.emplace_back("Player with a much longer name " + std::to_string(i), 100000 * i);
    return entries;
}

// Writes the two tables in turn until it is killed.
[[noreturn]] void writeForever(int readyPipe, const TablePlace& file, bool startWithLong)
{
    const ScoreTable tables[2] = {tableOf(shortEntries()), tableOf(longEntries())};
    const char ready = 'r';
    if (::write(readyPipe, &ready, 1) != 1)
        ::_exit(2);
    ::close(readyPipe);
    for (bool useLong = startWithLong;; useLong = !useLong)
        WriteScores(tables[useLong ? 1 : 0], file);
}

TEST(CrashSafeWrite, KilledWritersNeverLeaveHalfATable)
{
    TempFolder folder;
    const TablePlace file = tableIn(folder.path());
    const std::string shortBytes = recordsOf(shortEntries());
    const std::string longBytes = recordsOf(longEntries());
    ASSERT_TRUE(WriteScores(tableOf(shortEntries()), file));

    // Kills fall anywhere from before the first write to after the second,
    // whatever one write takes on this machine (its flush to disk mostly).
    const auto writeStart = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WriteScores(tableOf(shortEntries()), file));
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(
        (std::chrono::steady_clock::now() - writeStart) / 5);
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delayMicroseconds(0, 2 * oneWrite.count() + 500);
    int changes = 0;
    std::string previous = shortBytes;

    for (int round = 0; round < killCount; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            writeForever(ready[1], file, previous == shortBytes);
        }
        ::close(ready[1]);
        char signal = 0;
        const bool childStarted = ::read(ready[0], &signal, 1) == 1;
        ::close(ready[0]);

        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(childStarted) << "round " << round;
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "round " << round;

        const std::string bytes = folder.read(scoreFileName);
        ASSERT_TRUE(bytes == shortBytes || bytes == longBytes)
            << "round " << round << " (seed " << seed << ") left " << bytes.size() << " bytes";
        ScoreTable table;
        ASSERT_TRUE(ReadScores(table, file).read()) << "round " << round;
        ASSERT_TRUE(table == tableOf(shortEntries()) || table == tableOf(longEntries()));
        changes += bytes != previous;
        previous = bytes;
    }
    RecordProperty("TableChanges", changes);
    // Kills that all came before a write finished would prove nothing: the
    // writers must have replaced the table again and again.
    EXPECT_GT(changes, killCount / 10) << "seed " << seed;

    removeStaleScoreFiles(file);
    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, std::set<std::string>{scoreFileName});
}

}  // namespace
