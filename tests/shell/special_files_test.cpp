// SPDX-License-Identifier: GPL-3.0-or-later
// A named pipe or a folder in place of any file the game opens counts as a
// missing file: the game starts, shows what it shows for a missing file
// and never waits.
#include <QAction>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "game/qt/main_window.h"
#include "game/qt/playfield_widget.h"
#include "modal_answers.h"
#include "platform/qt/qt_window_frame.h"
#include "support/score_builders.h"
#include "support/temp_folder.h"
#include "ui/qt/help_window.h"

namespace vermo {
namespace {

const char* const gameFiles[] = {"vermou.gif", "vermod.gif", "vermol.gif", "vermor.gif",
                                 "poison.gif", "vermoicp.ico", "helpfile.bat", "topten.dll"};

enum class InPlace { Nothing, Pipe, Folder };

// A test that would hang is ended by the alarm and reported as failed.
struct TimeBound {
    explicit TimeBound(unsigned seconds) { ::alarm(seconds); }
    ~TimeBound() { ::alarm(0); }
};

// The game's folder with every file, except that `special` is missing or
// replaced by a pipe or a folder.
void makeGameFolder(const testing::TempFolder& folder, const std::string& special, InPlace inPlace)
{
    const std::filesystem::path assets = VERMO_ASSETS;
    for (const char* file : gameFiles) {
        if (file == special)
            continue;
        if (std::string(file) == "topten.dll")
            folder.write(file, testing::tenRecordsOf());
        else
            std::filesystem::copy_file(assets / file, folder / file);
    }
    if (inPlace == InPlace::Pipe)
        ASSERT_EQ(::mkfifo((folder / special).c_str(), 0600), 0);
    else if (inPlace == InPlace::Folder)
        std::filesystem::create_directory(folder / special);
}

// What the playfield shows of one picture: the picture alone on the board
// (no berry, no other head), drawn without the start button on top.
QImage pictureShown(MainWindow& window, Image& picture, bool visible = true)
{
    VermoGame& game = window.game();
    game.berry.Visible = false;
    for (Image* head : {&game.headu, &game.headd, &game.headl, &game.headr})
        head->Visible = false;
    picture.Visible = visible;
    picture.Left = picture.Top = 5.5f;
    window.refreshFromModel();
    PlayfieldWidget* playfield = window.playfield();
    QImage image(playfield->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    playfield->render(&painter, {}, {}, QWidget::DrawWindowBackground);
    return image;
}

Image& pictureOf(VermoGame& game, const std::string& file)
{
    if (file == "vermou.gif")
        return game.headu;
    if (file == "vermod.gif")
        return game.headd;
    if (file == "vermol.gif")
        return game.headl;
    if (file == "vermor.gif")
        return game.headr;
    return game.poison(1);
}

struct Started {
    testing::TempFolder folder;
    QStringList boxes;
    std::unique_ptr<MainWindow> window;
};

// Starts the game in a folder made as above, answering every box with OK.
std::unique_ptr<Started> start(const std::string& special, InPlace inPlace)
{
    auto started = std::make_unique<Started>();
    makeGameFolder(started->folder, special, inPlace);
    QStringList& boxes = started->boxes;
    const testing::ModalAnswers::Step ok = [&boxes](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        boxes << message->text();
        message->button(QMessageBox::Ok)->click();
    };
    testing::ModalAnswers answers({ok, ok, ok});
    started->window = std::make_unique<MainWindow>(started->folder.gameFolders());
    started->window->show();
    return started;
}

TEST(SpecialFiles, PipeOrFolderInPlaceOfAnyGameFileIsTakenAsMissing)
{
    const QImage standInIcon = QtWindowFrame::standInIcon().pixmap(32).toImage();
    for (const char* special : gameFiles) {
        for (const InPlace inPlace : {InPlace::Pipe, InPlace::Folder}) {
            SCOPED_TRACE(std::string(special) + (inPlace == InPlace::Pipe ? " as a named pipe" : " as a folder"));
            TimeBound bound(20);
            const auto game = start(special, inPlace);
            MainWindow& window = *game->window;
            const QImage icon = window.windowIcon().pixmap(32).toImage();
            window.findChild<QAction*>("Help")->trigger();
            const QString help =
                window.findChild<HelpWindow*>()->findChild<QPlainTextEdit*>("Text1")->toPlainText();

            const std::string file = special;
            EXPECT_EQ(game->boxes.contains("High lng_score File Not Found, High lng_score Being Set to 0"),
                      file == "topten.dll")
                << game->boxes.join('|').toStdString();
            EXPECT_EQ(help.contains("helpfile.bat could not be read"), file == "helpfile.bat")
                << help.toStdString();
            EXPECT_EQ(icon == standInIcon, file == "vermoicp.ico");

            if (file.size() > 4 && file.compare(file.size() - 4, 4, ".gif") == 0) {
                // The picture drawn in its place is the one drawn for a missing file.
                const auto missing = start(special, InPlace::Nothing);
                const auto complete = start("none", InPlace::Nothing);
                const QImage shown = pictureShown(window, pictureOf(window.game(), file));
                EXPECT_EQ(shown, pictureShown(*missing->window, pictureOf(missing->window->game(), file)));
                EXPECT_NE(shown, pictureShown(*complete->window, pictureOf(complete->window->game(), file)));
                EXPECT_NE(shown, pictureShown(window, pictureOf(window.game(), file), false))
                    << "a stand-in is drawn";
            }
        }
    }
}

}  // namespace
}  // namespace vermo
