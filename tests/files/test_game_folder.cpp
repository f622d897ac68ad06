// Choosing the game's folder and making the player's own folder ready from
// the installed data files.

#include "platform/game_folder.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

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

TEST(ChooseGameFolder, PlaysInTheStartFolderWhenItHoldsAPicture)
{
    TempFolder start, program, data;
    start.write("poison.gif", "x");
    install(program);
    install(data);
    const GameFolder folder = chooseGameFolder(start.path(), program.path(), data.path(), "/p");
    EXPECT_EQ(folder.files, start.path());
    EXPECT_EQ(folder.scores, start.path());
    EXPECT_FALSE(folder.perPlayer);
}

TEST(ChooseGameFolder, AStrayHighScoreFileDoesNotMakeAGameFolder)
{
    TempFolder start, program;
    start.write("topten.dll", "x");
    program.write("helpfile.bat", "x");
    EXPECT_EQ(chooseGameFolder(start.path(), program.path(), {}, "/p").files, program.path());
}

TEST(ChooseGameFolder, AnInstalledGamePlaysInThePlayersFolder)
{
    TempFolder start, program, data;
    install(data);
    const GameFolder folder = chooseGameFolder(start.path(), program.path(), data.path(), "/p");
    EXPECT_EQ(folder.files, data.path());
    EXPECT_EQ(folder.scores, "/p");
    EXPECT_TRUE(folder.perPlayer);
}

TEST(ChooseGameFolder, WithoutDataFilesAnywhereStaysInTheStartFolder)
{
    TempFolder start, program;
    EXPECT_EQ(chooseGameFolder(start.path(), program.path(), program / "none", "/p").scores,
              start.path());
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
    ASSERT_EQ(preparePlayerFolder(player, data.path()), "");
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
    ASSERT_EQ(preparePlayerFolder(player.path(), data.path()), "");
    EXPECT_EQ(fs::read_symlink(player / "vermou.gif"), data / "vermou.gif");
    EXPECT_EQ(player.read("helpfile.bat"), "helpfile.bat");
    EXPECT_EQ(player.read("topten.dll"), "the player's table");
}

TEST(PreparePlayerFolder, LinksNothingThatIsNotInstalled)
{
    TempFolder data, player;
    data.write("poison.gif", "p");
    ASSERT_EQ(preparePlayerFolder(player.path(), data.path()), "");
    EXPECT_FALSE(fs::exists(fs::symlink_status(player / "vermou.gif")));
}

TEST(PreparePlayerFolder, AFileInTheWayGivesTheReason)
{
    TempFolder data, home;
    install(data);
    home.write("vermo", "not a folder");
    EXPECT_NE(preparePlayerFolder(home / "vermo", data.path()), "");
}

}  // namespace
