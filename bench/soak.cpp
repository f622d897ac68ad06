// SPDX-License-Identifier: GPL-3.0-or-later
// A long unattended session: an autopilot plays the real main window
// offscreen, eats berries, dies now and then and starts again, while the
// process is watched for errors and for memory that keeps growing.
//
//   QT_QPA_PLATFORM=offscreen vermo_soak --seconds 60 [--speed 20] [--warmup 10]
//
// Exit code 0 when the run was clean; 1 on an error or when resident
// memory grew by more than 5 % + 2 MB after the warm-up; a crash ends the
// process with 128 + the signal's number. A run whose output has no final
// "soak: PASS" or "soak: FAIL" line ended early.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include <unistd.h>

#include "autopilot.h"
#include "bench_services.h"
#include "game/qt/main_window.h"
#include "support/window_parts.h"
#include "key_input.h"
#include "modal_answerer.h"
#include "process_stats.h"
#include "run_options.h"
#include "scores/score_file.h"
#include "tick_observer.h"

namespace vermo::bench {
namespace {

std::vector<std::string> errors;
long qtWarnings = 0;

void recordError(std::string text)
{
    if (errors.size() < 20)
        std::fprintf(stderr, "soak: error: %s\n", text.c_str());
    errors.push_back(std::move(text));
}

extern "C" void onCrash(int signal)
{
    char text[64];
    const int length = std::snprintf(text, sizeof text, "soak: error: crashed (signal %d)\n", signal);
    if (length > 0)
        [[maybe_unused]] auto written = ::write(STDERR_FILENO, text, static_cast<std::size_t>(length));
    ::_exit(128 + signal);
}

void onTerminate()
{
    std::string what = "unknown exception";
    if (auto current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
    }
    std::fprintf(stderr, "soak: error: uncaught exception: %s\n", what.c_str());
    std::fflush(stderr);
    ::_exit(2);
}

void onQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        recordError("Qt: " + text.toStdString());
        return;
    }
    if (type == QtWarningMsg && ++qtWarnings <= 5)
        std::fprintf(stderr, "soak: Qt warning: %s\n", text.toUtf8().constData());
}

struct CellPosition {
    int column = -1, row = -1;
    bool operator==(const CellPosition&) const = default;
};

CellPosition cellOf(const Circle& circle)
{
    return {static_cast<int>(std::lround(circle.Left / cellStep)),
            static_cast<int>(std::lround(circle.Top / cellStep))};
}

int run(int argc, char** argv)
{
    const double seconds = numberOption(argc, argv, "--seconds", 60);
    const double warmup = std::min(numberOption(argc, argv, "--warmup", 10), seconds / 2);
    const std::string speed = option(argc, argv, "--speed", "20");

    TempFolder folder;
    makeGameFolder(folder, VERMO_ASSETS);

    // The game's prompts answered as a player at the keyboard answers them;
    // any other box is an error.
    ModalAnswerer dialogs(QString::fromStdString(speed), [](const QString& box) {
        recordError("unexpected " + box.toStdString());
    });
    QCoreApplication::instance()->installEventFilter(&dialogs);
    MainWindow window(folder.gameFolders());
    window.show();

    const long residentStart = residentKib();
    long residentWarm = -1, residentPeak = residentStart;
    long ticks = 0, berries = 0, longest = 1, mostPoison = 0, abandoned = 0;
    // A game in which no berry has been eaten for this many ticks (30 s at
    // speed 20) has stalled: the berry sits where the worm cannot get. The
    // autopilot then lets go of the keys, the worm runs into something and
    // a new game begins.
    constexpr long stallTicks = 3000;
    long ticksSinceBerry = 0;
    bool lettingGo = false;
    std::int32_t bestScore = 0;
    long gameOversBefore = 0;
    CellPosition headBefore, berryBefore;
    double cpuWarm = 0, wallWarm = 0;
    const double wallStart = wallSeconds();

    TickObserver observer(window, [&](const TickObserver::Tick&) {
        const VermoGame& game = window.game();
        if (game.cmdstart.Visible)
            return;
        ++ticks;
        const long overs = dialogs.gameOvers();
        // The head stood on the berry when this tick began: it ate it,
        // unless the game ended first.
        const bool newGame = overs != gameOversBefore;
        const bool ate = !newGame && headBefore == berryBefore;
        if (ate)
            ++berries;
        gameOversBefore = overs;
        ticksSinceBerry = newGame || ate ? 0 : ticksSinceBerry + 1;
        if (newGame)
            lettingGo = false;
        if (!lettingGo && ticksSinceBerry > stallTicks) {
            lettingGo = true;
            ++abandoned;
        }
        longest = std::max<long>(longest, game.vermo.highest() + 1);
        mostPoison = std::max<long>(mostPoison, game.poisonCount);
        bestScore = std::max(bestScore, game.score);
        const CellPosition head = cellOf(game.vermo(0));
        if (head.column < 0 || head.column > gridCells + 1 || head.row < 0 || head.row > gridCells + 1)
            recordError("the head stands off the board at " + std::to_string(head.column) + "," +
                        std::to_string(head.row));
        const bool standing = !game.movingRight && !game.movingLeft && !game.movingUp && !game.movingDown;
        if (const int key = lettingGo ? (standing ? keys::Right : 0) : greedyKey(game))
            pressKey(window, key);
        headBefore = cellOf(game.vermo(0));
        berryBefore = cellOf(game.berry);
    });

    // Memory once a second; the run ends on the clock.
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const long resident = residentKib();
        residentPeak = std::max(residentPeak, resident);
        const double elapsed = wallSeconds() - wallStart;
        if (residentWarm < 0 && elapsed >= warmup) {
            residentWarm = resident;
            cpuWarm = cpuSeconds();
            wallWarm = wallSeconds();
        }
        if (elapsed >= seconds)
            QCoreApplication::quit();
    });
    sampler.start(1000);

    QTimer::singleShot(0, &window, [&] { testing::startButton(window)->click(); });
    try {
        QApplication::exec();
    } catch (const std::exception& e) {
        recordError(std::string("exception: ") + e.what());
    }

    const long residentEnd = residentKib();
    const double wall = wallSeconds() - wallWarm, cpu = cpuSeconds() - cpuWarm;
    const long games = dialogs.gameOvers() + 1;
    if (dialogs.speedPrompts() != games)
        recordError("the speed prompt came " + std::to_string(dialogs.speedPrompts()) + " times for " +
                    std::to_string(games) + " games");
    std::printf("soak: %.0f s at speed %s, warm-up %.0f s; %ld speed prompts, %ld high scores entered\n",
                wallSeconds() - wallStart, speed.c_str(), warmup, dialogs.speedPrompts(), dialogs.namePrompts());
    std::printf("machine: %s\n", machineLine().c_str());
    std::printf("ticks %ld, berries eaten %ld, games played %ld (game overs %ld, %ld of them stalled games "
                "let go), longest worm %ld, most poison %ld, best score %d\n",
                ticks, berries, games, games - 1, abandoned, longest, mostPoison, bestScore);
    std::printf("resident memory: start %s, after warm-up %s, end %s, peak %s\n",
                megabytes(residentStart).c_str(), megabytes(residentWarm).c_str(),
                megabytes(residentEnd).c_str(), megabytes(residentPeak).c_str());
    std::printf("CPU after warm-up: %.2f %% of one core\n", wall > 0 ? 100.0 * cpu / wall : 0.0);
    std::printf("Qt warnings: %ld; errors: %zu\n", qtWarnings, errors.size());

    bool pass = errors.empty();
    if (ticks == 0) {
        std::printf("error: no tick was played\n");
        pass = false;
    }
    if (residentWarm >= 0 && residentEnd > residentWarm + residentWarm / 20 + 2048) {
        std::printf("error: memory grew from %s to %s after the warm-up\n", megabytes(residentWarm).c_str(),
                    megabytes(residentEnd).c_str());
        pass = false;
    }
    std::printf("soak: %s\n", pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}

}  // namespace
}  // namespace vermo::bench

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::set_terminate(vermo::bench::onTerminate);
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(signal, vermo::bench::onCrash);
    qInstallMessageHandler(vermo::bench::onQtMessage);
    QApplication app(argc, argv);
    return vermo::bench::run(argc, argv);
}
