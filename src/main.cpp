// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QImageReader>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/qt/main_window.h"
#include "game/qt/playfield_widget.h"
#include "platform/qt/fixed_size_window.h"
#include "platform/game_folder.h"
#include "platform/options.h"
#include "platform/qt/qt_dialogs.h"
#include "scores/table_place.h"

namespace {

namespace fs = std::filesystem;

// Taken while the program is being loaded, before main runs.
const auto processStart = std::chrono::steady_clock::now();

// The folder the game was started in, by its full name where it has one.
fs::path startFolder()
{
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? fs::path(".") : current;
}

// The folder the program itself lies in; empty when unknown.
fs::path programFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

const char* homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr ? entry->pw_dir : nullptr;
}

// Makes the player's own folder ready; when the table cannot be kept there
// the player is told why (D-42).
vermo::GameFolders makePlayerFolderReady(const vermo::Folder& installedData)
{
    const fs::path folder = vermo::playerFolder(std::getenv("XDG_DATA_HOME"), homeFolder());
    vermo::PlayerFolder ready = vermo::preparePlayerFolder(folder, installedData);
    if (!ready.problem.empty()) {
        vermo::QtDialogs(nullptr).message("The Game's Folder " + ready.folders.scores.path().string()
                                          + " Could Not Be Made Ready (" + ready.problem
                                          + "). The High Scores Of This Session Will Not Be Kept.");
    }
    return ready.folders;
}

}  // namespace

int main(int argc, char** argv)
{
    // A file-size limit must turn an over-long write of the high-score
    // table into a failed write (the old table stays), not a killed game.
    std::signal(SIGXFSZ, SIG_IGN);

    // Asking for the usage or the version needs no display.
    const vermo::Options options = vermo::readOptions(argc, argv);
    switch (options.request) {
    case vermo::Options::Request::Help:
        std::fputs(vermo::usageText(vermo::scoreFileName).c_str(), stdout);
        return 0;
    case vermo::Options::Request::Version:
        std::fputs(vermo::versionText(VERMO_VERSION).c_str(), stdout);
        return 0;
    case vermo::Options::Request::Wrong:
        std::fprintf(stderr, "vermo: unknown option %s\n", options.wrong.c_str());
        std::fputs(vermo::usageText(vermo::scoreFileName).c_str(), stderr);
        return 2;
    case vermo::Options::Request::Play:
        break;
    }

    // The game's folder (D-40): each candidate is opened once, here, and the
    // game works through that handle from then on. The installed data folder
    // is found from the program's own place, so any prefix or root works.
    const fs::path program = programFolder();
    const fs::path installedData =
        program.empty() ? fs::path() : (program / VERMO_DATA_FROM_PROGRAM).lexically_normal();
    const vermo::GameFolderChoice choice =
        vermo::chooseGameFolder(vermo::Folder::open(startFolder()), vermo::Folder::open(program),
                                vermo::Folder::open(installedData));

    QApplication app(argc, argv);
    // No picture may take more megabytes than this, whatever its file claims (D-19).
    QImageReader::setAllocationLimit(16);
    QApplication::setApplicationName(QStringLiteral("vermo"));
    QApplication::setApplicationVersion(QStringLiteral(VERMO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(VERMO_APP_ID));
    // Before the first box, which may come before the main window (D-36).
    vermo::letBoxesTakeAnySize();

    const vermo::GameFolders folders =
        choice.inPlayersFolder ? makePlayerFolderReady(choice.folders.files) : choice.folders;
    vermo::MainWindow window(folders);

    // For start-up timing: report when the playfield first stands on the
    // screen, then leave.
    if (options.quitAfterFirstPaint) {
        QObject::connect(
            window.playfield(), &vermo::PlayfieldWidget::painted, &app,
            [] {
                const auto elapsed = std::chrono::steady_clock::now() - processStart;
                std::printf("%.1f\n", std::chrono::duration<double, std::milli>(elapsed).count());
                std::fflush(stdout);
                QCoreApplication::quit();
            },
            Qt::SingleShotConnection);
    }

    window.show();
    return app.exec();
}
