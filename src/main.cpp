#include <QApplication>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "game/main_window.h"
#include "game/playfield_widget.h"

namespace {

// Taken while the program is being loaded, before main runs.
const auto processStart = std::chrono::steady_clock::now();

bool hasFlag(int argc, char** argv, const char* flag)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], flag) == 0)
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    // A file-size limit must turn an over-long write of the high-score
    // table into a failed write (the old table stays), not a killed game.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vermo"));

    // The game finds its pictures, icon, help text and high scores in the
    // current folder.
    vermo::MainWindow window(std::filesystem::current_path());

    // For start-up timing: report when the playfield first stands on the
    // screen, then leave.
    if (hasFlag(argc, argv, "--quit-after-first-paint")) {
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
