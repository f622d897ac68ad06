// SPDX-License-Identifier: GPL-3.0-or-later
// How evenly the real main window's movement timer ticks while a game is
// played, and what the program costs in CPU and memory meanwhile.
//
//   vermo_timing [--speed 20] [--seconds 10] [--steer ring|straight] [--full-screen]
//       plays at the speed for the time, steered round a small ring (or
//       straight into the wall, game after game, to check that the time
//       spent in the game-over boxes stays out of the figures), in a
//       window of the design size or filling the screen
//   vermo_timing --idle 30 [--speed 20]
//       CPU use before the first game and while a game is paused
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "autopilot.h"
#include "bench_services.h"
#include "game/qt/main_window.h"
#include "game/qt/playfield_widget.h"
#include "support/window_parts.h"
#include "key_input.h"
#include "modal_answerer.h"
#include "process_stats.h"
#include "run_options.h"
#include "scores/score_file.h"
#include "tick_observer.h"

namespace vermo::bench {
namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void runFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Tick periods of play. Time spent in boxes (the game-over prompts and the
// speed prompt of the next game) splits the run into stretches of play;
// only periods inside a stretch count.
class TickTimes {
public:
    // A tick that arrived with no box since the previous one goes on the
    // stretch; a tick that opened boxes itself ends it.
    void add(Clock::time_point arrival, bool stretchGoesOn, bool endsStretch)
    {
        if (last_ && stretchGoesOn) {
            const double period = milliseconds(arrival - *last_);
            periods_.push_back(period);
            playMs_ += period;
        }
        last_ = arrival;
        if (endsStretch)
            last_.reset();
    }

    void report(int intervalMs) const
    {
        if (periods_.empty()) {
            std::printf("no tick periods recorded\n");
            return;
        }
        std::vector<double> sorted = periods_;
        std::sort(sorted.begin(), sorted.end());
        double sum = 0;
        for (double p : sorted)
            sum += p;
        const double mean = sum / static_cast<double>(sorted.size());
        auto rank = [&](double q) {
            const auto index = static_cast<std::size_t>(std::ceil(q * static_cast<double>(sorted.size()))) - 1;
            return sorted[std::min(index, sorted.size() - 1)];
        };
        const double expected = playMs_ / intervalMs;
        const long late = std::count_if(sorted.begin(), sorted.end(),
                                        [&](double p) { return p > 1.5 * intervalMs; });
        std::printf("tick periods (ms): n %zu, mean %.3f (%+.2f %% of %d), median %.3f, p99 %.3f, max %.3f, min %.3f\n",
                    sorted.size(), mean, 100.0 * (mean - intervalMs) / intervalMs, intervalMs, rank(0.5),
                    rank(0.99), sorted.back(), sorted.front());
        std::printf("ticks dropped: %.0f (play time %.3f s / %d ms = %.1f expected periods, %zu seen; %ld periods over 1.5 x interval)\n",
                    std::max(0.0, std::round(expected - static_cast<double>(sorted.size()))), playMs_ / 1000.0,
                    intervalMs, expected, sorted.size(), late);
    }

private:
    std::optional<Clock::time_point> last_;
    std::vector<double> periods_;
    double playMs_ = 0;
};

struct Setup {
    TempFolder folder;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ModalAnswerer> answerer;

    explicit Setup(const QString& speed, bool fullScreen = false)
    {
        makeGameFolder(folder, VERMO_ASSETS);
        answerer = std::make_unique<ModalAnswerer>(speed);
        QCoreApplication::instance()->installEventFilter(answerer.get());
        window = std::make_unique<MainWindow>(folder.gameFolders());
        if (fullScreen)
            window->showFullScreen();
        else
            window->show();
    }

    // "Start Game", answered with the speed.
    void startGame() { testing::startButton(*window)->click(); }
};

int timingRun(const QString& speed, double seconds, bool straight, bool fullScreen)
{
    Setup setup(speed, fullScreen);
    MainWindow& window = *setup.window;
    TickTimes times;
    long answeredBefore = setup.answerer->answered();
    std::optional<Clock::time_point> start;
    double cpuStart = 0;
    long ticks = 0;
    long residentAtStart = 0;
    int interval = 0;

    ModalAnswerer& answerer = *setup.answerer;
    TickObserver observer(window, [&](const TickObserver::Tick& tick) {
        const Clock::time_point arrival = tick.arrival;
        if (window.game().cmdstart.Visible)
            return;  // not playing yet
        if (!start) {
            start = arrival;
            cpuStart = cpuSeconds();
            residentAtStart = residentKib();
        }
        interval = testing::timer(window, "tmvermomove")->interval();
        const long answered = answerer.answered();
        times.add(arrival, answered - tick.boxesInside == answeredBefore, tick.boxesInside > 0);
        answeredBefore = answered;
        ++ticks;
        const VermoGame& game = window.game();
        const bool standing = !game.movingRight && !game.movingLeft && !game.movingUp && !game.movingDown;
        if (const int key = straight ? (standing ? keys::Right : 0) : ringKey(game))
            pressKey(window, key);
        if (milliseconds(arrival - *start) >= seconds * 1000.0)
            QCoreApplication::quit();
    }, [&answerer] { return answerer.answered(); });

    QTimer::singleShot(0, &window, [&] { setup.startGame(); });
    QApplication::exec();

    const double wall = start ? milliseconds(Clock::now() - *start) / 1000.0 : 0.0;
    const double cpu = cpuSeconds() - cpuStart;
    std::printf("vermo_timing: speed %s, %.1f s, interval %d ms\n", speed.toUtf8().constData(), wall, interval);
    std::printf("machine: %s\n", machineLine().c_str());
    std::printf("window: %d x %d, playfield %d x %d\n", window.width(), window.height(),
                window.playfield()->width(), window.playfield()->height());
    times.report(interval > 0 ? interval : 1);
    std::printf("ticks handled: %ld; timer events dropped inside boxes: %ld; game overs: %ld\n", ticks,
                observer.droppedWhileInBox(), setup.answerer->gameOvers());
    std::printf("CPU: %.2f %% of one core (%.3f s in %.3f s)\n", wall > 0 ? 100.0 * cpu / wall : 0.0, cpu, wall);
    std::printf("resident memory: %s at the first tick, %s at the end\n", megabytes(residentAtStart).c_str(),
                megabytes(residentKib()).c_str());
    return 0;
}

// CPU use of the idle program over `seconds`, and how often it painted.
void measureIdle(const char* what, MainWindow& window, double seconds)
{
    long paints = 0;
    const auto connection = QObject::connect(window.playfield(), &PlayfieldWidget::painted,
                                             [&paints] { ++paints; });
    const double cpu0 = cpuSeconds(), wall0 = wallSeconds();
    runFor(seconds);
    const double cpu = cpuSeconds() - cpu0, wall = wallSeconds() - wall0;
    QObject::disconnect(connection);
    std::printf("%s: CPU %.3f %% of one core (%.3f s in %.1f s), %ld paints (%.1f per second), resident %s\n",
                what, 100.0 * cpu / wall, cpu, wall, paints, paints / wall, megabytes(residentKib()).c_str());
}

int idleRun(const QString& speed, double seconds)
{
    Setup setup(speed);
    MainWindow& window = *setup.window;
    std::printf("vermo_timing --idle: %.0f s each\nmachine: %s\n", seconds, machineLine().c_str());
    runFor(1.0);
    measureIdle("before the first game", window, seconds);

    setup.startGame();
    pressKey(window, keys::Right);
    runFor(0.05);
    pressKey(window, keys::P);
    if (!window.game().paused) {
        std::printf("error: the game did not pause\n");
        return 1;
    }
    runFor(1.0);
    measureIdle("paused", window, seconds);
    return 0;
}

}  // namespace
}  // namespace vermo::bench

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    using namespace vermo::bench;
    const QString speed = QString::fromStdString(option(argc, argv, "--speed", "20"));
    const double idle = numberOption(argc, argv, "--idle", 0);
    if (idle > 0)
        return idleRun(speed, idle);
    return timingRun(speed, numberOption(argc, argv, "--seconds", 10),
                     option(argc, argv, "--steer", "ring") == "straight",
                     std::find(argv + 1, argv + argc, std::string_view("--full-screen")) != argv + argc);
}
