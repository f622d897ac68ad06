// Choosing the game's folder and making the player's own folder ready from
// the installed data files.

#include "platform/game_folder.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

using namespace vermo;
using namespace vermo::testing;
namespace fs = std::filesystem;

// An installed data folder with every data file, each holding its own name.
void install(const TempFolder& data)
{
    for (const char* name : dataFileNames)
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
    for (const char* name : dataFileNames)
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
    ASSERT_EQ(preparePlayerFolder(player.path(), opened(data), false).problem, "");
    for (const char* name : dataFileNames) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(player / name))) << name;
        EXPECT_EQ(player.read(name), name);
    }
    data.write("helpfile.bat", "a newer help text");
    ASSERT_EQ(preparePlayerFolder(player.path(), opened(data), false).problem, "");
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

// Copies starting at once each put their links under names of their own:
// what another copy is making at that moment cannot stop this one.
TEST(PreparePlayerFolder, AnotherCopysHalfMadeFilesDoNotGetInTheWay)
{
    TempFolder data, player;
    install(data);
    for (const char* name : dataFileNames) {
        for (const std::string& made : {"." + std::string(name) + ".new",
                                        "." + std::string(name) + ".new/inside"})
            fs::create_directories(player / made);
    }
    ASSERT_EQ(preparePlayerFolder(player.path(), opened(data)).problem, "");
    for (const char* name : dataFileNames)
        EXPECT_EQ(fs::read_symlink(player / name), data / name) << name;
}

}  // namespace
