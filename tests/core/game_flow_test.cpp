// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the start of a game, game over and the high-score entry.
#include <algorithm>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/game_fixture.h"
#include "support/score_builders.h"
#include "support/forked_player.h"
#include "support/other_users.h"

namespace vermo::testing {
namespace {

const char* const recoveryText = "High lng_score File Not Found, High lng_score Being Set to 0";

int boxesSaying(const GameRig& rig, const std::string& text)
{
    int count = 0;
    for (const auto& box : rig.dialogs.shown)
        count += box.text.find(text) != std::string::npos;
    return count;
}

class StartUp : public GameTest {};

TEST_F(StartUp, FirstRunInAnEmptyFolderWritesTheDefaultTable)
{
    std::filesystem::remove(folder / "topten.dll");
    load();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, recoveryText);
    EXPECT_EQ(rig.dialogs.shown[0].title, "");  // the application title
    EXPECT_EQ(folder.read("topten.dll"), tenRecordsOf());
    EXPECT_EQ(game().lblhighname.Caption, "Computer");
    EXPECT_EQ(game().lblhighscore.Caption, "0");
    EXPECT_TRUE(game().headu.Visible);
    EXPECT_FALSE(game().headd.Visible || game().headl.Visible || game().headr.Visible);
    EXPECT_TRUE(samePosition(game().headu, game().vermo(0)));
    EXPECT_EQ(game().vermo(0).Left, 5.5f);
}

TEST_F(StartUp, DesignStateOfTheWindow)
{
    load();
    EXPECT_EQ(game().Caption, "Vermo");
    EXPECT_TRUE(game().cmdstart.Visible && game().cmdstart.Enabled);
    EXPECT_EQ(game().cmdstart.Caption, "Start Game");
    EXPECT_EQ(game().lblspeed.Caption, "0");
    EXPECT_EQ(game().lblscore.Caption, "0");
    EXPECT_TRUE(rig.tmscoreupdate.enabled());
    EXPECT_EQ(rig.tmscoreupdate.interval(), 5000);
    EXPECT_TRUE(rig.tmvermomove.enabled());
    EXPECT_FALSE(rig.tmshake.enabled());
    EXPECT_FALSE(rig.tminvisible.enabled());
    EXPECT_TRUE(game().onHorizontalAxis && game().onVerticalAxis);
    EXPECT_FALSE(game().movingLeft || game().movingRight || game().movingUp || game().movingDown);
    EXPECT_EQ(rig.window.icons, std::vector<std::string>{"vermoicp.ico"});
    EXPECT_EQ(game().headr.Picture, "vermor.gif");
    EXPECT_FALSE(game().poison(1).Visible);
}

TEST_F(StartUp, ShortFileIsReplacedLongFileIsReadToTheTenth)
{
    folder.write("topten.dll", recordsOf({{"a", 5}, {"b", 6}, {"c", 7}, {"d", 8}, {"e", 9},
                                        {"f", 10}, {"g", 11}, {"h", 12}, {"i", 13}}));
    load();
    EXPECT_EQ(boxesShown(ShownBox::Message), 1);
    EXPECT_EQ(folder.read("topten.dll"), tenRecordsOf());

    TempFolder other;
    other.write("topten.dll", recordsOf({{"a", 5}, {"b", 6}, {"c", 7}, {"d", 8}, {"e", 9},
                                       {"f", 10}, {"g", 11}, {"h", 12}, {"i", 13}, {"j", 4},
                                       {"eleventh", 999}}));
    GameRig r(other.path());
    r.load();
    EXPECT_TRUE(r.dialogs.shown.empty());
    EXPECT_EQ(r.game->lblhighname.Caption, "i");
    EXPECT_EQ(r.game->lblhighscore.Caption, "13");
}

TEST_F(StartUp, LettersForAScoreReadAsZeroAndTiesFavourTheLaterRecord)
{
    folder.write("topten.dll", recordsOf({{"A", 100}, {"B", 100}, {"c", 1}, {"d", 1}, {"e", 1},
                                        {"f", 1}, {"g", 1}, {"h", 1}, {"i", 1}}) +
                                   "\"letters\",abc\r\n");
    load();
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(game().lblhighname.Caption, "B");
    EXPECT_EQ(game().high.scores[1], 0);
    EXPECT_EQ(game().high.names[1], "letters");
}

TEST_F(StartUp, UnwritableFolderTellsThePlayerAndPlayGoesOn)
{
    std::filesystem::remove(folder / "topten.dll");
    std::filesystem::create_directory(folder / "topten.dll");  // nothing can replace it
    load();
    ASSERT_EQ(boxesShown(ShownBox::Message), 2);
    EXPECT_EQ(rig.dialogs.shown[0].text, recoveryText);
    EXPECT_NE(rig.dialogs.shown[1].text.find("Could Not Be Saved"), std::string::npos);
    EXPECT_NE(rig.dialogs.shown[1].text.find("Tried Again At Your Next High Score"), std::string::npos);
    EXPECT_EQ(game().lblhighname.Caption, "Computer");
    rig.dialogs.answerInput("10");
    game().cmdstart_Click();
    EXPECT_TRUE(rig.tmvermomove.enabled());
}

TEST_F(StartUp, APanelTickDuringTheRecoveryMessageDoesNoHarm)
{
    std::filesystem::remove(folder / "topten.dll");
    rig.dialogs.onMessage([&] { EXPECT_TRUE(rig.tmscoreupdate.tick()); });
    load();
    EXPECT_EQ(game().lblhighname.Caption, "Computer");
    EXPECT_EQ(folder.read("topten.dll"), tenRecordsOf());
}

// A lock another program holds while the game starts is a wait, shown as
// at game over. In the player's own folder the recovery goes on without
// it; where others may write, the player is told, and the next high score
// writes once the lock is gone.
TEST_F(StartUp, ALockHeldAtStartIsAWaitNotAVerdict)
{
    std::filesystem::remove(folder / "topten.dll");
    FileDescriptor held(::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ASSERT_EQ(::flock(held.get(), LOCK_EX | LOCK_NB), 0);
    load();
    EXPECT_EQ(folder.read("topten.dll"), tenRecordsOf());
    EXPECT_EQ(boxesShown(ShownBox::Message), 1);
    ASSERT_GE(rig.waits.size(), 2u);
    EXPECT_TRUE(rig.waits.front().waiting);
    EXPECT_EQ(rig.waits.front().boxesShown, 1u);
    EXPECT_FALSE(rig.waits.back().waiting);

    TempFolder shared;
    std::filesystem::permissions(shared.path(), std::filesystem::perms::all);
    FileDescriptor sharedHeld(::open(shared.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ASSERT_EQ(::flock(sharedHeld.get(), LOCK_EX | LOCK_NB), 0);
    GameRig other(shared.path());
    other.random.queueBerry(1, 1, 1);
    other.startPlaying();
    EXPECT_EQ(boxesSaying(other, "Another Program Has Kept It Locked Too Long"), 1);
    EXPECT_FALSE(std::filesystem::exists(shared / "topten.dll"));
    sharedHeld.close();
    other.game->score = 20;
    other.dialogs.answerInput("Ann");
    other.game->Newgame_Click();
    EXPECT_EQ(shared.read("topten.dll").substr(0, 10), "\"Ann\",20\r\n");
}

// The table may hold every score the player has: one box says why it was
// not read, the game plays, and nothing is written over it until it reads
// again; a score meanwhile is told not kept in place of the name prompt.
TEST(StartUpWithoutTheTable, ATableThatCannotBeReadIsLeftAloneUntilItReads)
{
    TempFolder folder;
    const std::string table = recordsOf({{"a", 5}, {"b", 6}, {"c", 7}, {"d", 8}, {"e", 9},
                                       {"f", 10}, {"g", 11}, {"h", 12}, {"i", 13}, {"j", 14}});
    folder.write("topten.dll", table);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    std::filesystem::permissions(folder / "topten.dll", std::filesystem::perms::none);
    ASSERT_EQ(::chown((folder / "topten.dll").c_str(), firstPlayer, static_cast<gid_t>(-1)), 0);
    EXPECT_TRUE(runAs(firstPlayer, [&] {
        GameRig rig(folder.path());
        rig.random.queueBerry(1, 1, 1);
        rig.load();
        const auto& shown = rig.dialogs.shown;
        const bool toldAtStart =
            shown.size() == 1
            && shown[0].text.find("topten.dll Could Not Be Read (Permission denied)") != std::string::npos;
        rig.game->score = 50;
        rig.game->Newgame_Click();
        const bool toldAtGameOver = shown.size() == 4 && shown[1].kind == ShownBox::Message
                                    && shown[1].text.find("Could Not Be Read") != std::string::npos
                                    && rig.game->lblhighscore.Caption != "50";
        const bool untouched = std::filesystem::status(folder / "topten.dll").permissions()
                               == std::filesystem::perms::none;
        // Readable again: the next high score goes into it.
        std::filesystem::permissions(folder / "topten.dll", std::filesystem::perms::owner_read
                                                                | std::filesystem::perms::owner_write);
        rig.game->score = 60;
        rig.dialogs.answerInput("Ann");
        rig.game->Newgame_Click();
        return toldAtStart && toldAtGameOver && untouched
               && folder.read("topten.dll").substr(0, 10) == "\"Ann\",60\r\n";
    }));
}

class SpeedPrompt : public GameTest {
protected:
    void start(std::vector<std::string> answers)
    {
        load();
        for (auto& answer : answers)
            rig.dialogs.answerInput(answer);
        game().cmdstart_Click();
    }
};

TEST_F(SpeedPrompt, DefaultAnswerIsTen)
{
    start({});
    const ShownBox& box = rig.dialogs.shown.at(0);
    EXPECT_EQ(box.text, "Enter a Speed from 1 to 20");
    EXPECT_EQ(box.title, "Select A Speed");
    EXPECT_EQ(box.defaultText, "10");
    EXPECT_EQ(game().speed, 10);
    EXPECT_EQ(rig.tmvermomove.interval(), 110);
    EXPECT_EQ(game().lblspeed.Caption, "10");
    EXPECT_FALSE(game().cmdstart.Visible);
    EXPECT_FALSE(game().cmdstart.Enabled);
    EXPECT_TRUE(rig.tmvermomove.enabled());
}

TEST_F(SpeedPrompt, AnswersAndTheirIntervals)
{
    struct Case {
        const char* answer;
        int speed, interval;
    };
    for (Case c : {Case{"20", 20, 10}, Case{"1", 1, 200}, Case{"2.5", 2, 190},
                   Case{"3.5", 4, 170}, Case{"0.4", 0, 210}, Case{" 7 ", 7, 140},
                   Case{"+12", 12, 90}}) {
        SCOPED_TRACE(c.answer);
        TempFolder own;
        own.write("topten.dll", tenRecordsOf());
        GameRig r(own.path());
        r.startPlaying(c.answer);
        EXPECT_EQ(r.game->speed, c.speed);
        EXPECT_EQ(r.tmvermomove.interval(), c.interval);
        EXPECT_EQ(r.game->moveInterval, c.interval);
        EXPECT_EQ(r.game->lblspeed.Caption, c.answer);
        EXPECT_EQ(r.dialogs.shown.size(), 1u);
    }
}

TEST_F(SpeedPrompt, ZeroIsTheSecret)
{
    start({"0"});
    ASSERT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.dialogs.shown[1].kind, ShownBox::Message);
    EXPECT_EQ(rig.dialogs.shown[1].text,
              "You Found A Secret In My Game! Continue Playing! Congratulations!");
    EXPECT_EQ(game().speed, 25);
    EXPECT_EQ(rig.tmvermomove.interval(), 100);
    EXPECT_EQ(game().moveInterval, 210);
    EXPECT_EQ(game().lblspeed.Caption, "0");
}

TEST_F(SpeedPrompt, InvalidAnswersAskAgainWithoutTitle)
{
    start({"21", "-1", "abc", "", "1e1", "5"});
    ASSERT_EQ(rig.dialogs.shown.size(), 6u);
    for (std::size_t i = 1; i < 6; ++i) {
        EXPECT_EQ(rig.dialogs.shown[i].text,
                  "You Must Enter A Numberic Value Between 1 and 20\r\nEnter a Speed from 1 to 20");
        EXPECT_EQ(rig.dialogs.shown[i].title, "");
        EXPECT_EQ(rig.dialogs.shown[i].defaultText, "");
    }
    EXPECT_EQ(game().speed, 5);
    EXPECT_EQ(game().lblspeed.Caption, "5");
}

TEST_F(SpeedPrompt, NothingMovesBehindThePromptOfTheFirstGame)
{
    load();
    game().movingRight = true;  // as if a key had set the worm moving
    bool timerRan = true;
    rig.dialogs.answerInput("10", [&] { timerRan = rig.tick(); });
    game().cmdstart_Click();
    EXPECT_FALSE(timerRan);
    EXPECT_EQ(game().vermo(0).Left, 5.5f);
}

TEST_F(SpeedPrompt, StartRefreshesThePanelFromTheFile)
{
    load();
    folder.write("topten.dll", recordsOf({{"x", 1}, {"x", 1}, {"x", 1}, {"x", 1}, {"x", 1},
                                        {"x", 1}, {"x", 1}, {"x", 1}, {"x", 1}, {"Zed", 40}}));
    game().cmdstart_Click();
    EXPECT_EQ(game().lblhighname.Caption, "Zed");
    EXPECT_EQ(game().lblhighscore.Caption, "40");
}

class GameOver : public PlayingGameTest {
protected:
    int namePrompts() const
    {
        int count = 0;
        for (const auto& box : rig.dialogs.shown)
            count += box.text == "You Got A High Score!\r\nPlease Enter Your Name!";
        return count;
    }
};

TEST_F(GameOver, ZeroDoesNotBeatTheDefaultTable)
{
    game().Newgame_Click();
    EXPECT_EQ(namePrompts(), 0);
    EXPECT_EQ(folder.read("topten.dll"), tenRecordsOf());
}

TEST_F(GameOver, AHigherScoreIsWrittenFirstFollowedByTheOthersAscending)
{
    folder.write("topten.dll", recordsOf({{"j", 90}, {"b", 20}, {"c", 30}, {"a", 10}, {"d", 40},
                                        {"e", 50}, {"f", 60}, {"g", 70}, {"h", 80}, {"i", 85}}));
    game().score = 55;
    rig.dialogs.answerInput("Wanda");
    rig.dialogs.answerYesNo(Answer::No);
    EXPECT_THROW(game().Newgame_Click(), ProgramEnded);
    EXPECT_EQ(namePrompts(), 1);
    EXPECT_EQ(folder.read("topten.dll"),
              recordsOf({{"Wanda", 55}, {"b", 20}, {"c", 30}, {"d", 40}, {"e", 50}, {"f", 60},
                       {"g", 70}, {"h", 80}, {"i", 85}, {"j", 90}}));
}

TEST_F(GameOver, AScoreEqualToTheLowestDoesNotEnter)
{
    const std::string table = recordsOf({{"a", 10}, {"b", 20}, {"c", 30}, {"d", 40}, {"e", 50},
                                       {"f", 60}, {"g", 70}, {"h", 80}, {"i", 85}, {"j", 90}});
    folder.write("topten.dll", table);
    game().score = 10;
    game().Newgame_Click();
    EXPECT_EQ(namePrompts(), 0);
    EXPECT_EQ(folder.read("topten.dll"), table);
}

TEST_F(GameOver, ACancelledNameIsStoredEmpty)
{
    game().score = 5;
    rig.dialogs.answerInput("");
    game().Newgame_Click();
    EXPECT_EQ(folder.read("topten.dll").substr(0, 6), "\"\",5\r\n");
}

TEST_F(GameOver, ANameCannotBreakTheFilesRecords)
{
    game().score = 5;
    rig.dialogs.answerInput("Bob\",999\r\n\"Eve");
    game().Newgame_Click();
    const std::string bytes = folder.read("topten.dll");
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n") + 2), "\"Bob',999  'Eve\",5\r\n");
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    SortScores(table);
    EXPECT_EQ(table.names[10], "Bob',999  'Eve");
    EXPECT_EQ(table.scores[10], 5);
}

TEST_F(GameOver, YesSetsUpACleanBoardAndAsksForTheSpeedAgain)
{
    rig.random.queuePoison(1, 23);
    growBody(5, -1, 0);
    game().PlaceP();
    game().PlaceP();
    press(keys::Right);
    game().berryEaten = true;
    game().score = 0;
    const std::size_t before = rig.dialogs.shown.size();
    rig.dialogs.answerInput("15");
    game().Newgame_Click();
    EXPECT_EQ(rig.dialogs.shown.size(), before + 2);  // "New Game?" and the speed
    EXPECT_EQ(rig.dialogs.shown[before].text, "New Game?");
    EXPECT_EQ(rig.dialogs.shown[before + 1].text, "Enter a Speed from 1 to 20");
    EXPECT_EQ(rig.dialogs.shown[before + 1].defaultText, "10");
    EXPECT_EQ(game().vermo.highest(), 0);
    EXPECT_EQ(game().vermo(0).Left, 5.5f);
    EXPECT_EQ(game().vermo(0).Top, 5.5f);
    EXPECT_TRUE(game().headu.Visible);
    EXPECT_FALSE(game().headr.Visible);
    EXPECT_FALSE(game().movingRight);
    EXPECT_FALSE(game().berryEaten);
    EXPECT_EQ(game().poison.highest(), 1);
    EXPECT_FALSE(game().poison(1).Visible);
    EXPECT_EQ(game().poisonCount, 0);
    EXPECT_FALSE(game().poisonPlaced);
    EXPECT_EQ(game().lblscore.Caption, "0");
    EXPECT_EQ(game().speed, 15);
    EXPECT_EQ(rig.tmvermomove.interval(), 60);
    EXPECT_TRUE(rig.tmvermomove.enabled());
    rig.tick();
    EXPECT_EQ(game().vermo(0).Left, 5.5f);  // standing still until the first key
}

TEST_F(GameOver, NewGameFromTheMenuBeforeTheFirstGameHidesTheButton)
{
    TempFolder own;
    own.write("topten.dll", tenRecordsOf());
    GameRig r(own.path());
    r.load();
    r.game->Newgame_Click();
    EXPECT_FALSE(r.game->cmdstart.Visible);
    EXPECT_TRUE(r.tmvermomove.enabled());
}

TEST_F(GameOver, PanelRefreshWhileTheNamePromptIsOpenKeepsTheFinishedGame)
{
    game().score = 70;
    rig.dialogs.answerInput("Winner", [&] {
        // Someone rewrites the file while the player types.
        folder.write("topten.dll", recordsOf({{"q", 1}, {"q", 2}, {"q", 3}, {"q", 4}, {"q", 5},
                                            {"q", 6}, {"q", 7}, {"q", 8}, {"q", 9}, {"q", 10}}));
        EXPECT_TRUE(rig.tmscoreupdate.tick());
        EXPECT_EQ(game().lblhighname.Caption, "Computer");  // the refresh skipped its turn
    });
    game().Newgame_Click();
    // The rewritten table is respected: the entry takes its lowest place.
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    EXPECT_EQ(table.names[1], "Winner");
    EXPECT_EQ(table.scores[1], 70);
    EXPECT_EQ(table.names[2], "q");
    EXPECT_EQ(table.scores[2], 2);
    rig.tmscoreupdate.tick();  // after the write the refresh works as usual
    EXPECT_EQ(game().lblhighname.Caption, "Winner");
}

TEST_F(GameOver, AResultOtherGamesPushedOutMeanwhileIsToldNotRecorded)
{
    game().score = 70;
    const std::string better = recordsOf({{"q", 100}, {"q", 100}, {"q", 100}, {"q", 100}, {"q", 100},
                                        {"q", 100}, {"q", 100}, {"q", 100}, {"q", 100}, {"q", 100}});
    rig.dialogs.answerInput("Late", [&] { folder.write("topten.dll", better); });
    game().Newgame_Click();
    EXPECT_EQ(folder.read("topten.dll"), better);
    ASSERT_EQ(boxesShown(ShownBox::Message), 1);
    const auto told = std::find_if(rig.dialogs.shown.begin(), rig.dialogs.shown.end(),
                                   [](const ShownBox& box) { return box.kind == ShownBox::Message; });
    EXPECT_EQ(told->text,
              "Your Score Was Not Recorded: Other Games Have Entered Better Scores Meanwhile.");
}

// Another program keeps the table's folder locked (`flock -x folder sleep`)
// in a folder other users may write to: the name box closes, the game
// shows that it waits, then tells in one box, naming the folder, that the
// score was not saved; the table is as it was.
TEST_F(GameOver, ALockKeptByAnotherProgramWhereOthersWriteIsToldOnceAndNothingWritten)
{
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    FileDescriptor held(::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ASSERT_EQ(::flock(held.get(), LOCK_EX | LOCK_NB), 0);
    game().score = 70;
    rig.dialogs.answerInput("Ann");
    game().Newgame_Click();
    EXPECT_EQ(folder.read("topten.dll"), tenRecordsOf());
    ASSERT_EQ(boxesShown(ShownBox::Message), 1);
    // The speed box of the first game, the name box, then the one that tells.
    const ShownBox& told = rig.dialogs.shown[2];
    EXPECT_EQ(told.kind, ShownBox::Message);
    EXPECT_NE(told.text.find("Could Not Be Saved In The Folder " + folder.path().string()
                             + ": Another Program Has Kept It Locked"),
              std::string::npos)
        << told.text;
    // The wait came after the name box and before the box that tells.
    ASSERT_GE(rig.waits.size(), 2u);
    EXPECT_TRUE(rig.waits.front().waiting);
    EXPECT_EQ(rig.waits.front().boxesShown, 2u);
    EXPECT_FALSE(rig.waits.back().waiting);
    EXPECT_EQ(rig.waits.back().boxesShown, 2u);
}

// A sticky folder whose table another player owns keeps only that
// player's scores: every high score hears so at its own game over, in
// place of the name prompt, and the panel shows none of them.
TEST(GameOverInAStickyFolder, EveryHighScoreIsToldInPlaceOfTheNamePrompt)
{
    TempFolder folder;
    folder.write("topten.dll", tenRecordsOf());
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all
                                                    | std::filesystem::perms::group_all
                                                    | std::filesystem::perms::sticky_bit);
    const auto users = std::make_shared<OtherUsers>();
    users->give(folder.path());
    users->give(folder / "topten.dll");
    GameRig rig(folder.path(), users);
    rig.random.queueBerry(1, 1, 1);
    rig.startPlaying();
    for (int round = 0; round < 3; ++round) {
        rig.game->score = 70;
        rig.game->Newgame_Click();
    }
    EXPECT_EQ(boxesSaying(rig, "In The Folder " + folder.path().string() + ": Another Player Owns It"), 3);
    EXPECT_EQ(boxesSaying(rig, "You Got A High Score!"), 0);
    EXPECT_EQ(rig.game->lblhighscore.Caption, "0");
    EXPECT_EQ(folder.read("topten.dll"), tenRecordsOf());
}

// The player's link to a shared table whose folder is not mounted: told
// at start-up and at the game over whose score is not kept, naming the
// link and where it leads; the link stays, nothing is written elsewhere,
// and once the share is back the next game over writes there.
TEST_F(GameOver, ThePlayersLinkToATableNotThereIsLeftAndWrittenThroughOnceItIs)
{
    TempFolder share;
    const std::filesystem::path target = share / "vermo/topten.dll";
    std::filesystem::remove(folder / "topten.dll");
    std::filesystem::create_symlink(target, folder / "topten.dll");
    startPlaying();
    const std::string link = "topten.dll In The Folder " + folder.path().string() + " Is A Link To "
                             + target.string() + ", Which Leads Into A Folder That Is Not There.";
    EXPECT_EQ(boxesSaying(rig, link), 1);
    EXPECT_EQ(boxesSaying(rig, "Not Found"), 0);
    game().score = 70;
    game().Newgame_Click();
    EXPECT_EQ(boxesSaying(rig, link), 2);
    EXPECT_EQ(boxesSaying(rig, "You Got A High Score!"), 0);
    EXPECT_EQ(game().lblhighscore.Caption, "0");
    EXPECT_FALSE(std::filesystem::exists(share / "vermo"));

    std::filesystem::create_directory(share / "vermo");
    share.write("vermo/topten.dll", tenRecordsOf("Shared", 5));
    game().score = 70;
    rig.dialogs.answerInput("Ann");
    game().Newgame_Click();
    EXPECT_EQ(share.read("vermo/topten.dll").substr(0, 10), "\"Ann\",70\r\n");
    EXPECT_EQ(std::filesystem::read_symlink(folder / "topten.dll"), target);
    EXPECT_EQ(boxesShown(ShownBox::Message), 2);
}

// Another program may put a note at the link's target while the game
// waits for the lock: the note is left as it is and the player told.
TEST_F(GameOver, ANotePutAtTheLinksTargetDuringTheWaitIsLeftAsItIs)
{
    TempFolder share;
    share.write("topten.dll", tenRecordsOf("Shared", -5));
    std::filesystem::remove(folder / "topten.dll");
    std::filesystem::create_symlink(share / "topten.dll", folder / "topten.dll");
    startPlaying();
    FileDescriptor held(::open(share.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ASSERT_EQ(::flock(held.get(), LOCK_EX | LOCK_NB), 0);
    rig.whileWaiting = [&] {
        share.write("topten.dll", "my note, do not lose\n");
        held.close();
    };
    game().score = 70;
    rig.dialogs.answerInput("Ann");
    game().Newgame_Click();
    EXPECT_EQ(share.read("topten.dll"), "my note, do not lose\n");
    EXPECT_EQ(boxesSaying(rig, "Which Does Not Lead To A High Score File"), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "topten.dll"));
}

TEST_F(GameOver, AVanishedFileStillRecordsTheFinishedGame)
{
    std::filesystem::remove(folder / "topten.dll");
    game().score = 30;
    rig.dialogs.answerInput("Kim");
    game().Newgame_Click();
    ScoreTable table;
    ASSERT_TRUE(ReadScores(table, tableIn(folder.path())).read());
    EXPECT_EQ(table.names[1], "Kim");
    EXPECT_EQ(table.scores[1], 30);
    EXPECT_EQ(table.names[2], "Computer");
}

TEST_F(GameOver, ADamagedFileDoesNotStopTheNextGame)
{
    folder.write("topten.dll", "\"half a table\",3\r\n");
    game().Newgame_Click();
    EXPECT_TRUE(rig.tmvermomove.enabled());
    EXPECT_EQ(game().lblhighname.Caption, "Computer");  // the panel keeps its last good state
    EXPECT_EQ(folder.read("topten.dll"), "\"half a table\",3\r\n");
}

class Panel : public GameTest {};

TEST_F(Panel, FollowsTheFileAndKeepsItsStateWhenTheFileVanishes)
{
    load();
    folder.write("topten.dll", recordsOf({{"x", 1}, {"x", 1}, {"x", 1}, {"x", 1}, {"x", 1},
                                        {"Top", 500}, {"x", 1}, {"x", 1}, {"x", 1}, {"x", 1}}));
    rig.tmscoreupdate.tick();
    EXPECT_EQ(game().lblhighname.Caption, "Top");
    EXPECT_EQ(game().lblhighscore.Caption, "500");
    std::filesystem::remove(folder / "topten.dll");
    rig.tmscoreupdate.tick();
    EXPECT_EQ(game().lblhighname.Caption, "Top");
    EXPECT_EQ(game().lblhighscore.Caption, "500");
    EXPECT_FALSE(std::filesystem::exists(folder / "topten.dll"));
}

class Menu : public GameTest {};

TEST_F(Menu, ExitEndsAtOnceWithoutRecordingTheScore)
{
    startPlaying();
    game().score = 999;
    EXPECT_THROW(game().Exit_Click(), ProgramEnded);
    EXPECT_EQ(folder.read("topten.dll"), tenRecordsOf());
    EXPECT_EQ(rig.dialogs.shown.size(), 1u);
}

TEST_F(Menu, AboutStopsNothing)
{
    startPlaying();
    game().About_Click();
    const ShownBox& box = rig.dialogs.shown.back();
    EXPECT_EQ(box.kind, ShownBox::Message);
    EXPECT_EQ(box.title, "About");
    EXPECT_EQ(box.text,
              "Vermo Version 0.8 BETA By Tobrin. Major Known Bug Is Self Collision on Tight "
              "Turns. Version Finished June 17, 2004, Enjoy Your Time Playing It");
    EXPECT_TRUE(rig.tmvermomove.enabled());
    EXPECT_TRUE(rig.tmscoreupdate.enabled());
}

TEST_F(Menu, HighScoresAndHelpOpenTheirWindows)
{
    load();
    game().High_Click();
    game().Help_Click();
    game().High_Click();
    EXPECT_EQ(rig.windows.highScores, 2);
    EXPECT_EQ(rig.windows.help, 1);
}

}  // namespace
}  // namespace vermo::testing
