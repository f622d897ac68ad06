// SPDX-License-Identifier: GPL-3.0-or-later
// A write that cannot finish must leave the old table whole, report the
// failure and leave no temporary file behind; leftovers of an interrupted
// write are cleared away, and nothing else in the folder is touched.

#include "scores/score_file.h"

#include "support/score_builders.h"
#include "scores/score_entry.h"
#include "support/call_seams.h"
#include "support/forked_player.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace vermo;
using namespace vermo::testing;
namespace fs = std::filesystem;

// Runs `body` in a forked child and returns its wait status; the child
// ends with body's result as exit code and never returns into the test.
int runInChild(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    EXPECT_GT(child, 0);
    if (child > 0)
        ::waitpid(child, &status, 0);
    return status;
}

std::set<std::string> filesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A table whose file is far longer than the small size limits used below.
ScoreTable longTable()
{
    ScoreTable table;
    for (int i = 1; i <= 10; ++i) {
        table.names[i] = "A rather long player name number " + std::to_string(i);
        table.scores[i] = 1000 * i;
    }
    return table;
}

TEST(WriteFailure, FolderNamedLikeTheFileIsLeftAlone)
{
    TempFolder folder;
    fs::create_directory(folder / scoreFileName);
    folder.write(std::string(scoreFileName) + "/inside.txt", "keep me");

    EXPECT_FALSE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    EXPECT_TRUE(fs::is_directory(folder / scoreFileName));
    EXPECT_EQ(folder.read(std::string(scoreFileName) + "/inside.txt"), "keep me");
    EXPECT_TRUE(tempFilesIn(folder.path()).empty());
}

TEST(WriteFailure, MissingFolderFailsAndCreatesNothing)
{
    TempFolder folder;
    EXPECT_FALSE(WriteScores(ScoreTable::defaults(), tableIn(folder / "no such folder")));
    EXPECT_TRUE(filesIn(folder.path()).empty());
}

TEST(WriteFailure, ReadOnlyFolderKeepsTheOldTable)
{
    TempFolder folder;
    const std::string old = recordsOf(lettersOneToTen());
    folder.write(scoreFileName, old);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec
                                       | fs::perms::others_read | fs::perms::others_exec);

    EXPECT_TRUE(runAs(firstPlayer, [&] { return !WriteScores(ScoreTable::defaults(), tableIn(folder.path())); }));
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_EQ(folder.read(scoreFileName), old);
    EXPECT_TRUE(tempFilesIn(folder.path()).empty());
}

TEST(WriteFailure, FileSizeLimitKeepsTheOldTableAndReportsFailure)
{
    TempFolder folder;
    const std::string old = recordsOf(lettersOneToTen());
    folder.write(scoreFileName, old);

    const int status = runInChild([&] {
        // Ignored, the limit turns into a failed write instead of a kill.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
        return WriteScores(longTable(), tableIn(folder.path())) ? 1 : 0;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the write claimed success, 3: no limit set";
    EXPECT_EQ(folder.read(scoreFileName), old);
    EXPECT_EQ(filesIn(folder.path()), std::set<std::string>{scoreFileName}) << "no temporary file may remain";
}

TEST(WriteFailure, WriterKilledByTheSizeLimitLeavesTheOldTableAndAStaleFileToClear)
{
    TempFolder folder;
    const std::string old = recordsOf(lettersOneToTen());
    folder.write(scoreFileName, old);

    const int status = runInChild([&] {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        WriteScores(longTable(), tableIn(folder.path()));
        return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(folder.read(scoreFileName), old);
    EXPECT_EQ(filesIn(folder.path()).size(), 2u) << "the old file and one half-written temporary file";

    removeStaleScoreFiles(tableIn(folder.path()));
    EXPECT_EQ(filesIn(folder.path()), std::set<std::string>{scoreFileName});
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    EXPECT_EQ(table, tableOf(lettersOneToTen()));
}

// A file whose flush fails is no kept table: the old one stays. A folder
// whose flush fails after the rename holds the new table, which may not
// outlast a power cut, and says so; one whose file system does not flush
// folders at all (EINVAL, ENOTSUP) simply holds it.
TEST(WriteFailure, WhatAFailedFlushCostsIsToldAsItIs)
{
    const struct {
        FailingFlush::Of what;
        int error;
        EntryOutcome outcome;
        int notFlushed;
    } cases[] = {{FailingFlush::Of::Files, EIO, EntryOutcome::WriteFailed, 0},
                 {FailingFlush::Of::Folders, EIO, EntryOutcome::Written, EIO},
                 {FailingFlush::Of::Folders, EINVAL, EntryOutcome::Written, 0},
                 {FailingFlush::Of::Folders, ENOTSUP, EntryOutcome::Written, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        TempFolder folder;
        ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
        FailingFlush failing(c.what, c.error);
        ScoreTable now;
        const EntryResult result =
            recordEntry(Folder::open(folder.path()), ScoreTable::defaults(), "Ann", 7, now);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.folderNotFlushed, c.notFlushed);
        EXPECT_EQ(folder.read(scoreFileName).substr(0, 9) == "\"Ann\",7\r\n",
                  c.outcome == EntryOutcome::Written);
        EXPECT_EQ(filesIn(folder.path()), (std::set<std::string>{"topten.dll"}));
    }
}

TEST(WriteSuccess, LeavesOnlyTheScoreFile)
{
    TempFolder folder;
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    ASSERT_TRUE(WriteScores(longTable(), tableIn(folder.path())));
    EXPECT_EQ(filesIn(folder.path()), std::set<std::string>{scoreFileName});
}

TEST(WriteSuccess, KeepsThePermissionsOfTheOldFile)
{
    TempFolder folder;
    folder.write(scoreFileName, recordsOf(lettersOneToTen()));
    fs::permissions(folder / scoreFileName, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    EXPECT_EQ(fs::status(folder / scoreFileName).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteSuccess, NewFileIsReadableByItsOwner)
{
    TempFolder folder;
    ASSERT_TRUE(WriteScores(ScoreTable::defaults(), tableIn(folder.path())));
    const auto perms = fs::status(folder / scoreFileName).permissions();
    EXPECT_NE(perms & fs::perms::owner_read, fs::perms::none);
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

TEST(StaleFiles, OnlyLeftoverTemporaryFilesAreRemoved)
{
    TempFolder folder;
    // A copy that has ended, and one that is still running (this one).
    const std::string endedCopy = std::to_string(endedProcess()),
                      runningCopy = std::to_string(::getpid());
    const std::set<std::string> stale = {"topten.dll." + endedCopy + ".Ab3xZ9.tmp",
                                         "topten.dll." + endedCopy + ".zzzzzz.tmp",
                                         "topten.dll." + endedCopy + ".000000.tmp"};
    const std::set<std::string> kept = {
        "topten.dll",           "topten.dll.tmp",        "topten.dll.Ab3xZ.tmp",  "topten.dll.Ab3xZ9.tmp",
        "topten.dll.Ab-xZ9.tmp", "topten.dll.Ab3xZ9.TMP", "topten.dll.Ab3xZ9.tmp.bak", "other.dll.Ab3xZ9.tmp",
        "xtopten.dll.Ab3xZ9.tmp", "helpfile.bat",          "vermou.gif",
        "topten.dll." + runningCopy + ".Ab3xZ9.tmp", "topten.dll.12x4.Ab3xZ9.tmp",
        "topten.dll." + endedCopy + ".Ab3xZ99.tmp", "topten.dll." + endedCopy + ".Ab3xZ.tmp"};
    for (const auto& name : stale)
        folder.write(name, "half a table");
    for (const auto& name : kept)
        folder.write(name, "keep");
    // A folder and a link that merely look like leftovers are not ours.
    const std::string dir = "topten.dll." + endedCopy + ".Dir123.tmp";
    const std::string link = "topten.dll." + endedCopy + ".Lnk123.tmp";
    fs::create_directory(folder / dir);
    fs::create_symlink(folder / "helpfile.bat", folder / link);

    removeStaleScoreFiles(tableIn(folder.path()));

    std::set<std::string> expected = kept;
    expected.insert(dir);
    expected.insert(link);
    EXPECT_EQ(filesIn(folder.path()), expected);
    EXPECT_EQ(folder.read("helpfile.bat"), "keep");
}

// A folder that someone fills with names like leftovers costs each start
// a bounded amount of work; the rest goes at later starts.
TEST(StaleFiles, AtMostAThousandGoAtATime)
{
    TempFolder folder;
    const std::string endedCopy = std::to_string(endedProcess());
    for (int i = 0; i < 1200; ++i)
        folder.write("topten.dll." + endedCopy + ".a" + std::to_string(10000 + i).substr(1)
                         + "x.tmp",
                     "");
    removeStaleScoreFiles(tableIn(folder.path()));
    EXPECT_EQ(tempFilesIn(folder.path()).size(), 200u);
    removeStaleScoreFiles(tableIn(folder.path()));
    EXPECT_TRUE(tempFilesIn(folder.path()).empty());
}

// A table whose folder is gone is looked for nowhere else: leftovers in
// the folder the game was started from are not its business.
TEST(StaleFiles, AMissingFolderLeavesTheStartFolderAlone)
{
    TempFolder folder;
    const std::string leftover = "topten.dll.a0000x.tmp";
    folder.write(leftover, "");
    const fs::path startedIn = fs::current_path();
    fs::current_path(folder.path());
    removeStaleScoreFiles(tableIn(folder / "gone"));
    fs::current_path(startedIn);
    EXPECT_EQ(tempFilesIn(folder.path()), std::vector<std::string>{leftover});
}

}  // namespace
