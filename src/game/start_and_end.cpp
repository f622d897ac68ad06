// SPDX-License-Identifier: GPL-3.0-or-later
// The game's flow: the window's load, the start of a game with its speed
// prompt, and the game over with the high-score entry and "New Game?".
#include <cmath>
#include <filesystem>
#include <cstring>

#include "game/vermo_game.h"
#include "platform/data_files.h"
#include "platform/text_fields.h"
#include "scores/score_entry.h"

namespace vermo {

namespace {
constexpr const char* recoveryMessage =
    "High lng_score File Not Found, High lng_score Being Set to 0";
const std::string theFile = std::string("The High Score File ") + scoreFileName;
std::string tableInFolder(const TablePlace& place)
{
    return theFile + " In The Folder " + place.folder.path().string();
}
std::string notSavedIn(const std::filesystem::path& folder)
{
    return theFile + " Could Not Be Saved In The Folder " + folder.string();
}
// A folder the game cannot write to costs the table, not the game (D-11).
std::string writeFailedMessage(const std::filesystem::path& folder, const std::string& outcome)
{
    return notSavedIn(folder) + ". " + outcome;
}
// Written, but the folder's entry for it may not outlast a power cut.
std::string notFlushedMessage(const TablePlace& place, int error)
{
    return "Your Score Is In " + tableInFolder(place)
           + ", But That Folder Could Not Be Flushed To The Disk (" + std::strerror(error)
           + "), So It May Not Survive A Power Cut.";
}
// The player's link that leads to no table, where it leads and why.
std::string leftLinkMessage(const TablePlace& place, const std::string& outcome)
{
    std::string why;
    switch (place.leftAlone) {
    case LinkLeftAlone::AnotherUsers: why = "Passes Through A Link Another User Made"; break;
    case LinkLeftAlone::Loop: why = "Goes Round In A Loop Of Links"; break;
    case LinkLeftAlone::MissingFolder: why = "Leads Into A Folder That Is Not There"; break;
    case LinkLeftAlone::NoTable:
    case LinkLeftAlone::No: why = "Does Not Lead To A High Score File"; break;
    }
    return tableInFolder(place) + " Is A Link To " + place.linkTarget + ", Which " + why
           + ". The Link Is Left As It Is. " + outcome;
}
constexpr const char* notRecorded = "Your Score Was Not Recorded.";
constexpr const char* triedAgain = "It Will Be Tried Again At Your Next High Score.";
// Why an entry was not written although the file may be fine; `outcome`
// says what follows for the score.
std::string notWrittenMessage(WriteRefusal refusal, const TablePlace& place, int error,
                              const std::string& outcome)
{
    const std::string start = notSavedIn(place.folder.path()) + ": ";
    switch (refusal) {
    case WriteRefusal::LockBusy:
        return start
               + "Another Program Has Kept It Locked Too Long, And Other Users May Write In That "
                 "Folder. "
               + outcome;
    case WriteRefusal::NoLock:
        return start + "It Cannot Be Locked There (" + std::strerror(error)
               + "), And Other Users May Write In That Folder. " + outcome;
    case WriteRefusal::LinkLeftAlone:
        return leftLinkMessage(place, outcome);
    case WriteRefusal::OwnersFolder:
    case WriteRefusal::None:
        break;
    }
    return start
           + "Another Player Owns It, And That Folder Lets Only A File's Owner Replace It, So It "
             "Keeps Only That Player's Scores. Your High Scores Will Not Be Kept There.";
}
// Why a table that is there could not be read, in a few words.
std::string unreadableMessage(const TableRead& read)
{
    return theFile + " Could Not Be Read (" + std::strerror(read.error)
           + "). It Is Left As It Is Until It Can Be Read, And Your High Scores Are Not Kept "
             "Meanwhile.";
}
constexpr const char* pushedOutMessage =
    "Your Score Was Not Recorded: Other Games Have Entered Better Scores Meanwhile.";
constexpr const char* speedPrompt = "Enter a Speed from 1 to 20";
constexpr const char* speedRepeatPrompt =
    "You Must Enter A Numberic Value Between 1 and 20\r\nEnter a Speed from 1 to 20";
constexpr const char* secretMessage =
    "You Found A Secret In My Game! Continue Playing! Congratulations!";
constexpr const char* namePrompt = "You Got A High Score!\r\nPlease Enter Your Name!";
// The answer 0 plays at speed 25 with the design interval.
constexpr std::int16_t secretSpeed = 25;
}  // namespace

void VermoGame::Form_Load()
{
    headu.Picture = dataFiles::headUp;
    headd.Picture = dataFiles::headDown;
    headl.Picture = dataFiles::headLeft;
    headr.Picture = dataFiles::headRight;
    poison(1).Picture = dataFiles::poison;
    services_.window.setIcon(dataFiles::icon);

    onHorizontalAxis = true;
    onVerticalAxis = true;
    paused = false;
    Place();
    berryEaten = false;
    poisonPlaced = false;
    poisonCount = 0;

    removeStaleScoreFilesWhenIdle(services_.folder);
    const TablePlace place = findTable(services_.folder);
    const TableRead read = readSortedTable(high, place);
    if (read.replaceable()) {
        services_.dialogs.message(recoveryMessage);
        // The default table, unless another copy of the game has written a
        // good one while the message was open.
        TableRead again = read;
        const RecoveryResult restored = restoreDefaultScores(services_.folder, high, again,
                                                             services_.whileWaitingForTable);
        switch (restored.outcome) {
        case RecoveryOutcome::Restored:
        case RecoveryOutcome::KeptOtherTable:
            break;
        case RecoveryOutcome::WriteFailed:
            // Told now; the next high score tries again.
            services_.dialogs.message(
                writeFailedMessage(restored.place.folder.path(), triedAgain));
            break;
        case RecoveryOutcome::NotWritten:
            services_.dialogs.message(
                notWrittenMessage(restored.refusal, restored.place, restored.error, triedAgain));
            break;
        case RecoveryOutcome::Unreadable:
            scoreFileLeftAlone = true;
            services_.dialogs.message(unreadableMessage(again));
            break;
        }
    } else if (read.state == TableRead::State::LinkLeftAlone) {
        high = ScoreTable::defaults();
        services_.dialogs.message(leftLinkMessage(
            place, "High Scores Are Kept Again Once It Leads To A High Score File."));
    } else if (!read.read()) {
        // Only a missing or damaged table is replaced: one that cannot be
        // read (no permission, a disk error) may hold every score the
        // player has.
        scoreFileLeftAlone = true;
        high = ScoreTable::defaults();
        services_.dialogs.message(unreadableMessage(read));
    }
    showBestOnPanel();

    putHeadPicturesOnHead();
}

void VermoGame::putHeadPicturesOnHead()
{
    for (Image* picture : {&headu, &headd, &headr, &headl}) {
        picture->Left = vermo(0).Left;
        picture->Top = vermo(0).Top;
        picture->Visible = picture == &headu;
    }
}

void VermoGame::cmdstart_Click()
{
    startgame();
    cmdstart.Visible = false;
}

void VermoGame::startgame()
{
    if (readTable())
        showBestOnPanel();

    // Nothing moves behind the prompt (D-02).
    services_.tmvermomove.setEnabled(false);

    speedAnswer = services_.dialogs.input(speedPrompt, "Select A Speed", "10");
    std::optional<double> value = parseNumber(speedAnswer);
    while (!value || *value < 0 || *value > 20) {
        speedAnswer = services_.dialogs.input(speedRepeatPrompt, "", "");
        value = parseNumber(speedAnswer);
    }

    // Halves go to the even neighbour: 2.5 plays as 2, 3.5 as 4.
    const double whole = std::nearbyint(*value);
    moveInterval = static_cast<std::int16_t>((21 - whole) * 10);
    if (*value > 0 && *value < 21) {
        speed = static_cast<std::int16_t>(whole);
        services_.tmvermomove.setInterval(moveInterval);
        lblspeed.Caption = speedAnswer;
    }
    if (*value == 0) {
        services_.dialogs.message(secretMessage);
        speed = secretSpeed;
        services_.tmvermomove.setInterval(designMoveInterval);
        lblspeed.Caption = speedAnswer;
    }

    cmdstart.Enabled = false;
    paused = false;
    services_.tmvermomove.setEnabled(true);
    poisonPlaced = false;
}

void VermoGame::newgames()
{
    // Everything the effects changed is undone before the first prompt, so
    // the player sees the quiet board behind it.
    services_.tmvermomove.setEnabled(false);
    putWindowBackFromShake();
    services_.tmshake.setEnabled(false);
    BackColor = colors::black;
    invisibleTicks = 1;
    poisonPlaced = false;
    services_.tminvisible.setEnabled(false);
    vermo(0).FillColor = colors::wormGreen;
    vermo(0).BorderColor = colors::wormGreen;

    // A file that vanished or was damaged since the last read leaves the
    // table of that read in place, so the finished game is still judged
    // against it and recorded.
    readTable();
    if (score > high.scores[1])
        enterHighScore();

    Answer again = Answer::Yes;
    {
        WhilePlayerMayBeSteering steering(services_.dialogs);
        again = services_.dialogs.askYesNo("New Game?");
    }
    if (again == Answer::No)
        services_.programEnd.endNow();

    resetBoard();
    startgame();
}

// The finished game takes the lowest entry's place; the table stays as it
// is while the name prompt waits (D-23). A score that is not kept is told
// at its own game over, and the table goes back to what the file holds.
void VermoGame::enterHighScore()
{
    struct PendingEntry {
        bool& flag;
        explicit PendingEntry(bool& f) : flag(f) { flag = true; }
        ~PendingEntry() { flag = false; }
    } pending(highScoreEntryPending);

    const ScoreTable judged = high;
    // What cannot be kept is said in place of asking for a name.
    const TablePlace place = findTable(services_.folder);
    const WriteRefusal known = refusalBeforeEntry(place);
    if (scoreFileLeftAlone) {
        services_.dialogs.message(tableInFolder(place) + " Could Not Be Read, So It Is Left As It Is. "
                                  + notRecorded);
        return;
    }
    if (known != WriteRefusal::None) {
        services_.dialogs.message(notWrittenMessage(known, place, 0, notRecorded));
        return;
    }
    high.scores[1] = score;
    {
        WhilePlayerMayBeSteering steering(services_.dialogs);
        high.names[1] = safeName(services_.dialogs.input(namePrompt, "", ""));
    }
    // Another copy of the game may have recorded results while the prompt
    // was open; the entry then goes into the table as it stands now.
    const EntryResult entry = recordEntry(services_.folder, judged, high.names[1], score, high,
                                          services_.whileWaitingForTable);
    switch (entry.outcome) {
    case EntryOutcome::Written:
        if (entry.folderNotFlushed != 0)
            services_.dialogs.message(notFlushedMessage(entry.place, entry.folderNotFlushed));
        break;
    case EntryOutcome::NoLongerQualifies:
        services_.dialogs.message(pushedOutMessage);
        break;
    case EntryOutcome::NotWritten:
        services_.dialogs.message(
            notWrittenMessage(entry.refusal, entry.place, entry.error, notRecorded));
        break;
    case EntryOutcome::WriteFailed:
        services_.dialogs.message(writeFailedMessage(entry.place.folder.path(), notRecorded));
        break;
    }
}

void VermoGame::resetBoard()
{
    lblscore.Caption = "0";
    score = 0;
    services_.tminvisible.setEnabled(false);
    collisionIndex = 0;
    unloadTop = static_cast<std::int16_t>(vermo.highest());
    for (unloadIndex = unloadTop; unloadIndex >= 1; --unloadIndex)
        vermo.unloadHighest();
    vermo(0).Left = startCell;
    vermo(0).Top = startCell;
    movingLeft = movingRight = movingUp = movingDown = false;
    vermo(0).Visible = true;
    berryEaten = false;
    Place();
    onHorizontalAxis = true;
    onVerticalAxis = true;
    putHeadPicturesOnHead();
    poisonCount = 0;
    poisonScanIndex = 0;
    for (poisonUnloadIndex = static_cast<std::int16_t>(poison.highest()); poisonUnloadIndex >= 2;
         --poisonUnloadIndex)
        poison.unloadHighest();
    poison(1).Visible = false;
    if (cmdstart.Visible)
        cmdstart.Visible = false;
    movedSinceTurn = true;
    heldTurn = 0;
    // An effect paused in the finished game stays gone (D-05).
    timerWasOn[1] = false;
    timerWasOn[2] = false;
}

bool VermoGame::readTable()
{
    const bool read = readSortedTable(high, findTable(services_.folder)).read();
    // A table that could not be read is written again once it reads.
    if (read)
        scoreFileLeftAlone = false;
    return read;
}

void VermoGame::showBestOnPanel()
{
    lblhighname.Caption = high.names[10];
    lblhighscore.Caption = std::to_string(high.scores[10]);
}

}  // namespace vermo
