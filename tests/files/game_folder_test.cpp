// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the game's folder and making the player's own folder ready from
// the installed data files.

#include "platform/game_folder.h"

#include "scores/score_file.h"
#include "support/call_seams.h"
#include "support/forked_player.h"
#include "support/score_builders.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/xattr.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

using namespace vermo;
using namespace vermo::testing;
namespace fs = std::filesystem;

// An installed data folder with every data file, each holding its own name.
void install(const TempFolder& data)
{
    for (const char* name : dataFiles::all)
        data.write(name, name);
}

Folder opened(const TempFolder& folder) { return Folder::open(folder.path()); }

TEST(ChooseGameFolder, PlaysInTheStartFolderWhenItHoldsAPicture)
{
    TempFolder start, program, data;
    start.write("poison.gif", "x");
    install(program);
    install(data);
    const GameFolderChoice choice = chooseGameFolder(opened(start), opened(program), opened(data));
    EXPECT_EQ(choice.folders.files.path(), start.path());
    EXPECT_EQ(choice.folders.scores.path(), start.path());
    EXPECT_FALSE(choice.inPlayersFolder);
}

TEST(ChooseGameFolder, AStrayHighScoreFileDoesNotMakeAGameFolder)
{
    TempFolder start, program;
    start.write("topten.dll", "x");
    program.write("helpfile.bat", "x");
    EXPECT_EQ(chooseGameFolder(opened(start), opened(program), Folder()).folders.files.path(),
              program.path());
}

TEST(ChooseGameFolder, AnInstalledGamePlaysInThePlayersFolder)
{
    TempFolder start, program, data;
    install(data);
    const GameFolderChoice choice = chooseGameFolder(opened(start), opened(program), opened(data));
    EXPECT_EQ(choice.folders.files.path(), data.path());
    EXPECT_TRUE(choice.inPlayersFolder);
}

TEST(ChooseGameFolder, WithoutDataFilesAnywhereStaysInTheStartFolder)
{
    TempFolder start, program;
    const GameFolderChoice choice = chooseGameFolder(opened(start), opened(program), Folder());
    EXPECT_EQ(choice.folders.scores.path(), start.path());
    EXPECT_FALSE(choice.inPlayersFolder);
}

// /tmp and the like: another user may have left a help file there, and a
// link named like the table.
TEST(ChooseGameFolder, AFolderOtherUsersMayWriteToIsPassedOver)
{
    for (const fs::perms shared : {fs::perms::all, fs::perms::all | fs::perms::sticky_bit}) {
        TempFolder start, program, data;
        start.write("helpfile.bat", "left by someone");
        install(program);
        fs::permissions(start.path(), shared);
        fs::permissions(program.path(), shared);

        GameFolderChoice choice = chooseGameFolder(opened(start), opened(program), Folder());
        EXPECT_TRUE(choice.inPlayersFolder);
        EXPECT_FALSE(choice.folders.scores.isOpen());

        install(data);
        choice = chooseGameFolder(opened(start), opened(program), opened(data));
        EXPECT_TRUE(choice.inPlayersFolder);
        EXPECT_EQ(choice.folders.files.path(), data.path());
    }
}

// The folder's mode says only its owner and group may write, but an access
// list lets another user in too.
TEST(ChooseGameFolder, AFolderAnAccessListOpensToAnotherUserIsPassedOver)
{
    TempFolder start;
    start.write("helpfile.bat", "left by someone");
    // The list as the system stores it: the owner, user 64102, the group,
    // the mask and everyone else.
    struct Entry {
        std::uint16_t tag, permissions;
        std::uint32_t id;
    };
    const std::uint32_t none = 0xFFFFFFFF;
    const Entry list[] = {{0x01, 7, none}, {0x02, 7, 64102}, {0x04, 5, none}, {0x10, 7, none},
                          {0x20, 5, none}};
    std::string bytes("\x02\0\0\0", 4);
    bytes.append(reinterpret_cast<const char*>(list), sizeof list);
    if (::setxattr(start.path().c_str(), "system.posix_acl_access", bytes.data(), bytes.size(), 0) != 0)
        GTEST_SKIP() << "this file system keeps no access lists";
    const GameFolderChoice choice = chooseGameFolder(opened(start), Folder(), Folder());
    EXPECT_TRUE(choice.inPlayersFolder);
}

// A folder its group may write to is the player's only when that group is
// the player's own: when the accounts cannot all be looked at to tell, the
// folder's access list cannot be read, or the group has another member,
// it counts as shared.
TEST(ChooseGameFolder, AGroupWhoseAccountsCannotAllBeLookedAtCountsAsShared)
{
    TempFolder start;
    start.write("helpfile.bat", "x");
    fs::permissions(start.path(), fs::perms::owner_all | fs::perms::group_all);
    if (chooseGameFolder(opened(start), Folder(), Folder()).inPlayersFolder)
        GTEST_SKIP() << "the player has no private group here";
    {
        // Each account a little too big for the first buffers tried.
        FailingAccountList tooBig(ERANGE, 3);
        EXPECT_FALSE(chooseGameFolder(opened(start), Folder(), Folder()).inPlayersFolder);
    }
    for (const int error : {EIO, ERANGE}) {
        FailingAccountList failing(error, 1000);
        EXPECT_TRUE(chooseGameFolder(opened(start), Folder(), Folder()).inPlayersFolder) << error;
    }
    {
        FailingAccessListRead unreadableList;
        EXPECT_TRUE(chooseGameFolder(opened(start), Folder(), Folder()).inPlayersFolder);
    }
    // A private group that lists another member is shared after all.
    ExtraGroupMember another(opened(start).info()->st_gid, "someone-else");
    EXPECT_TRUE(chooseGameFolder(opened(start), Folder(), Folder()).inPlayersFolder);
}

// A copy of the game the player may not write to, such as one root
// unpacked: its pictures are used, and the table goes to the player's own
// folder.
TEST(ChooseGameFolder, ACopyThePlayerMayNotWriteToGivesItsFilesOnly)
{
    TempFolder copy;
    install(copy);
    fs::permissions(copy.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                                     | fs::perms::others_read | fs::perms::others_exec);
    // Without root the player owns the copy and may write to it after all.
    const bool anotherUser = isRoot();
    EXPECT_TRUE(runAs(firstPlayer, [&] {
        const GameFolderChoice choice = chooseGameFolder(opened(copy), Folder(), Folder());
        return anotherUser ? choice.inPlayersFolder && choice.folders.files.path() == copy.path()
                           : !choice.inPlayersFolder && choice.folders.scores.path() == copy.path();
    }));
}

TEST(PlayerFolder, FollowsXdgDataHomeElseHome)
{
    EXPECT_EQ(playerFolder("/x/data", "/home/a"), "/x/data/vermo");
    EXPECT_EQ(playerFolder("", "/home/a"), "/home/a/.local/share/vermo");
    EXPECT_EQ(playerFolder("relative", "/home/a"), "/home/a/.local/share/vermo");
    EXPECT_EQ(playerFolder(nullptr, "/home/a"), "/home/a/.local/share/vermo");
    EXPECT_EQ(playerFolder(nullptr, nullptr), fs::path());
}

TEST(PreparePlayerFolder, CreatesTheFolderAndLinksEveryDataFile)
{
    TempFolder data, home;
    install(data);
    const fs::path player = home / "deep/er/vermo";
    const PlayerFolder ready = preparePlayerFolder(player, opened(data));
    ASSERT_EQ(ready.problem, "");
    EXPECT_EQ(ready.folders.files.path(), player);
    EXPECT_EQ(ready.folders.scores.path(), player);
    for (const char* name : dataFiles::all)
        EXPECT_EQ(fs::read_symlink(player / name), data / name) << name;
}

TEST(PreparePlayerFolder, RenewsStaleFilesAndLeavesTheTableAlone)
{
    TempFolder data, old, player;
    install(data);
    fs::create_symlink(old / "vermou.gif", player / "vermou.gif");
    player.write("helpfile.bat", "an old help text");
    player.write("topten.dll", "the player's table");
    ASSERT_EQ(preparePlayerFolder(player.path(), opened(data)).problem, "");
    EXPECT_EQ(fs::read_symlink(player / "vermou.gif"), data / "vermou.gif");
    EXPECT_EQ(player.read("helpfile.bat"), "helpfile.bat");
    EXPECT_EQ(player.read("topten.dll"), "the player's table");
    EXPECT_EQ(std::distance(fs::directory_iterator(player.path()), {}), 8) << "no temporary file left";
}

TEST(PreparePlayerFolder, CopiesWhereLinksCannotBeMadeAndRenewsChangedCopies)
{
    TempFolder data, player;
    install(data);
    FailingLinks noLinks;
    ASSERT_EQ(preparePlayerFolder(player.path(), opened(data)).problem, "");
    for (const char* name : dataFiles::all) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(player / name))) << name;
        EXPECT_EQ(player.read(name), name);
    }
    data.write("helpfile.bat", "a newer help text");
    ASSERT_EQ(preparePlayerFolder(player.path(), opened(data)).problem, "");
    EXPECT_EQ(player.read("helpfile.bat"), "a newer help text");
}

TEST(PreparePlayerFolder, LinksNothingThatIsNotInstalled)
{
    TempFolder data, player;
    data.write("poison.gif", "p");
    ASSERT_EQ(preparePlayerFolder(player.path(), opened(data)).problem, "");
    EXPECT_FALSE(fs::exists(fs::symlink_status(player / "vermou.gif")));
}

TEST(PreparePlayerFolder, AFolderInAPicturesPlaceKeepsTheTableThere)
{
    TempFolder data, player;
    install(data);
    fs::create_directory(player / "vermou.gif");
    const PlayerFolder ready = preparePlayerFolder(player.path(), opened(data));
    EXPECT_EQ(ready.problem, "");
    EXPECT_EQ(ready.folders.scores.path(), player.path());
    EXPECT_EQ(ready.folders.files.path(), data.path()) << "the pictures come from the installed folder";
}

TEST(PreparePlayerFolder, AFolderThatIsNotPlainlyThePlayersGivesTheReason)
{
    TempFolder data, home, shared;
    install(data);
    home.write("vermo", "not a folder");
    PlayerFolder ready = preparePlayerFolder(home / "vermo", opened(data));
    EXPECT_NE(ready.problem, "");
    EXPECT_FALSE(ready.folders.scores.isOpen());

    fs::permissions(shared.path(), fs::perms::all);
    ready = preparePlayerFolder(shared.path(), opened(data));
    EXPECT_NE(ready.problem, "");
    EXPECT_FALSE(ready.folders.scores.isOpen());
    EXPECT_FALSE(fs::exists(fs::symlink_status(shared / "vermou.gif"))) << "nothing is put there";
}

// XDG_DATA_HOME in a shared folder, where another user has put a link
// named vermo to one of the player's folders.
TEST(PreparePlayerFolder, AnotherUsersLinkOnTheWayIsNotFollowed)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to make a link that belongs to another user";
    TempFolder data, shared, documents;
    install(data);
    documents.write("helpfile.bat", "the player's own notes");
    fs::permissions(shared.path(), fs::perms::all | fs::perms::sticky_bit);
    fs::create_symlink(documents.path(), shared / "vermo");
    ASSERT_EQ(::lchown((shared / "vermo").c_str(), secondPlayer, secondPlayer), 0);
    const PlayerFolder ready = preparePlayerFolder(shared / "vermo", opened(data));
    EXPECT_NE(ready.problem, "");
    EXPECT_FALSE(ready.folders.scores.isOpen());
    EXPECT_EQ(documents.read("helpfile.bat"), "the player's own notes");
}

// Another user's folder link on the way to the player's folder: in the
// folders above it (XDG_DATA_HOME in a shared folder), or in the target of
// the player's own link for the folder. Nothing is put behind it.
TEST(PreparePlayerFolder, AnotherUsersLinkInTheMiddleOfThePathIsNotFollowed)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to make a link that belongs to another user";
    TempFolder data, shared, theirs, home;
    install(data);
    fs::create_directory(theirs / "sub");
    fs::permissions(shared.path(), fs::perms::all | fs::perms::sticky_bit);
    fs::create_symlink(theirs.path(), shared / "d");
    ASSERT_EQ(::lchown((shared / "d").c_str(), secondPlayer, secondPlayer), 0);
    fs::create_directories(home / ".local/share");
    fs::create_symlink(shared / "d" / "sub", home / ".local/share/vermo");
    for (const fs::path& folder : {shared / "d" / "sub" / "vermo", home / ".local/share/vermo"}) {
        const PlayerFolder ready = preparePlayerFolder(folder, opened(data));
        EXPECT_EQ(ready.problem, "It Lies Behind A Link Another User Made") << folder;
        EXPECT_FALSE(ready.folders.scores.isOpen()) << folder;
    }
    EXPECT_TRUE(fs::is_empty(theirs / "sub"));
}

// A player's folder that may be read but not written: the table in it is
// still read, though nothing can be kept.
TEST(PreparePlayerFolder, AFolderThePlayerMayNotWriteToStillShowsItsTable)
{
    TempFolder data, player;
    install(data);
    const std::string table = tenRecordsOf("Kept", 7);
    player.write("topten.dll", table);
    if (isRoot()) {
        ASSERT_EQ(::chown(player.path().c_str(), firstPlayer, firstPlayer), 0);
    }
    fs::permissions(player.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_TRUE(runAs(firstPlayer, [&] {
        const PlayerFolder ready = preparePlayerFolder(player.path(), Folder::open(data.path()));
        ScoreTable read;
        return !ready.problem.empty() && ready.folders.files.path() == data.path()
               && ReadScores(read, findTable(ready.folders.scores)).read() && read.names[1] == "Kept";
    }));
}

// Copies starting at once each put their links under names of their own:
// what another copy is making at that moment cannot stop this one.
TEST(PreparePlayerFolder, AnotherCopysHalfMadeFilesDoNotGetInTheWay)
{
    TempFolder data, player;
    install(data);
    for (const char* name : dataFiles::all) {
        for (const std::string& made : {"." + std::string(name) + ".new",
                                        "." + std::string(name) + ".new/inside"})
            fs::create_directories(player / made);
    }
    ASSERT_EQ(preparePlayerFolder(player.path(), opened(data)).problem, "");
    for (const char* name : dataFiles::all)
        EXPECT_EQ(fs::read_symlink(player / name), data / name) << name;
}

}  // namespace
