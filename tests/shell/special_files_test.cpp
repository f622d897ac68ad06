// A named pipe or a folder in place of any file the game opens counts as a
// missing file: the game starts, shows its stand-ins and never waits.
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "game/main_window.h"
#include "modal_answers.h"
#include "support/temp_folder.h"
#include "ui/help_window.h"
#include "ui/window_opener.h"

namespace vermo {
namespace {

const char* const gameFiles[] = {"vermou.gif", "vermod.gif", "vermol.gif", "vermor.gif",
                                 "poison.gif", "vermoicp.ico", "helpfile.bat", "topten.dll"};

std::string defaultTable()
{
    std::string bytes;
    for (int i = 0; i < 10; ++i)
        bytes += "\"Computer\",0\r\n";
    return bytes;
}

// A test that would hang is ended by the alarm and reported as failed.
struct TimeBound {
    explicit TimeBound(unsigned seconds) { ::alarm(seconds); }
    ~TimeBound() { ::alarm(0); }
};

TEST(SpecialFiles, PipeOrFolderInPlaceOfAnyGameFileIsTakenAsMissing)
{
    for (const char* special : gameFiles) {
        for (const bool pipe : {true, false}) {
            SCOPED_TRACE(std::string(special) + (pipe ? " as a named pipe" : " as a folder"));
            testing::TempFolder folder;
            const std::filesystem::path assets = VERMO_ASSETS;
            for (const char* file : gameFiles) {
                if (std::string(file) == special)
                    continue;
                if (std::string(file) == "topten.dll")
                    folder.write(file, defaultTable());
                else
                    std::filesystem::copy_file(assets / file, folder / file);
            }
            if (pipe)
                ASSERT_EQ(::mkfifo((folder / special).c_str(), 0600), 0);
            else
                std::filesystem::create_directory(folder / special);

            TimeBound bound(20);
            // Every box is answered with OK; a folder in the table's place
            // also gets the message that the table could not be saved.
            QStringList boxes;
            const testing::ModalAnswers::Step ok = [&](QWidget* box) {
                auto* message = qobject_cast<QMessageBox*>(box);
                ASSERT_NE(message, nullptr);
                boxes << message->text();
                message->button(QMessageBox::Ok)->click();
            };
            testing::ModalAnswers answers({ok, ok, ok});
            auto window = std::make_unique<MainWindow>(folder.path());
            window->show();
            window->secondaryWindows().showHelp();
            const QString help =
                window->secondaryWindows().helpWindow()->findChild<QPlainTextEdit*>("Text1")->toPlainText();

            const bool table = std::string(special) == "topten.dll";
            EXPECT_EQ(boxes.contains("High lng_score File Not Found, High lng_score Being Set to 0"), table)
                << boxes.join('|').toStdString();
            EXPECT_EQ(help.contains("helpfile.bat could not be read"),
                      std::string(special) == "helpfile.bat")
                << help.toStdString();
            EXPECT_FALSE(window->windowIcon().isNull());
        }
    }
}

}  // namespace
}  // namespace vermo
