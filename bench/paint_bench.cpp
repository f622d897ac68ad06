// SPDX-License-Identifier: GPL-3.0-or-later
// What one repaint of the playfield costs, drawn offscreen at the design
// size (650 x 466 pixels at 96 dpi) and filling a 3840 x 2160 screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <algorithm>
#include <memory>

#include "bench_services.h"
#include "board_layouts.h"
#include "game/qt/main_window.h"
#include "game/qt/playfield_widget.h"
#include "platform/qt/picture_files.h"
#include "platform/qt/qt_window_frame.h"
#include "platform/qt/scaled_client.h"
#include "platform/qt/units.h"
#include "platform/qt/window_placement.h"
#include "scores/score_file.h"
#include "tick_course.h"

namespace vermo::bench {
namespace {

QSize clientSize(double dpi = units::logicalDpi())
{
    return {units::pixelsFromTwips(clientWidthTwips, dpi), units::pixelsFromTwips(clientHeightTwips, dpi)};
}

// The board's dots per inch: the design's, or filling a 3840 x 2160 screen
// (the board's height is the screen's, 3013 x 2160 pixels).
double boardDpi(bool fullScreen)
{
    if (!fullScreen)
        return units::logicalDpi();
    return std::min(3840 * twipsPerInch / clientWidthTwips, 2160 * twipsPerInch / clientHeightTwips);
}

void sizeBoard(PlayfieldWidget& widget, bool fullScreen)
{
    widget.setDpi(boardDpi(fullScreen));
    widget.setFixedSize(clientSize(boardDpi(fullScreen)));
}

// A board in play: the worm of `segments` along a serpentine over the
// whole field (a longer worm lies over itself), `poisonItems` items along
// the same path backwards, the berry, and the head picture facing right.
void layBoard(FormState& state, int segments, int poisonItems)
{
    namePictures(state);
    const auto path = serpentine(1, gridCells);
    putHead(state, path[0]);
    layBody(state, segments - 1, std::vector<Cell>(path.begin() + 1, path.end()));
    layPoison(state, poisonItems, std::vector<Cell>(path.rbegin(), path.rend()));
    state.berry.Left = gridCoordinate(12);
    state.berry.Top = gridCoordinate(12);
    state.berry.FillColor = colors::orange;
}

// The playfield widget alone, as the movement tick's repaint draws it.
void BM_PaintPlayfield(benchmark::State& state)
{
    FormState board;
    layBoard(board, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    PlayfieldWidget widget(board, Folder::open(VERMO_ASSETS));
    sizeBoard(widget, state.range(2) != 0);
    QImage image(widget.size(), QImage::Format_RGB32);
    widget.render(&image);  // reads the pictures and draws the stamps once
    for (auto _ : state) {
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = image.width();
    state.counters["height"] = image.height();
    state.counters["dpi"] = widget.logicalDpiX();
}
BENCHMARK(BM_PaintPlayfield)
    ->ArgNames({"segments", "poison", "4k"})
    ->Args({600, 300, 0})
    ->Args({600, 0, 0})
    ->Args({1, 0, 0})
    ->Args({600, 300, 1})
    ->Unit(benchmark::kMicrosecond);

// Runs the tick benchmark's course: a movement tick, then seeing whether
// anything on the field changed (showState), and with `painting`, the
// repaint as the event loop runs it after the tick. Counts the paints per tick.
void runCourse(benchmark::State& state, TickCourse& course, PlayfieldWidget& widget, bool painting)
{
    long paints = 0;
    QObject::connect(&widget, &PlayfieldWidget::painted, [&paints] { ++paints; });
    widget.showState();
    QCoreApplication::processEvents();
    paints = 0;
    long iterations = 0;
    for (auto _ : state) {
        course.tick();
        widget.showState();
        if (painting)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        ++iterations;
        if (course.atEnd()) {
            state.PauseTiming();
            const bool onCourse = course.restart();
            widget.showState();
            QCoreApplication::processEvents();
            state.ResumeTiming();
            if (!onCourse) {
                state.SkipWithError("the head left its course");
                break;
            }
        }
    }
    state.counters["paints/tick"] = iterations ? static_cast<double>(paints) / iterations : 0.0;
}

// What the screen side adds to a movement tick on that course, drawn on a
// shown widget when `painting`.
void BM_TickAndRepaint(benchmark::State& state)
{
    const bool painting = state.range(2) != 0;
    TickCourse course(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    namePictures(course.game());
    PlayfieldWidget widget(course.game(), Folder::open(VERMO_ASSETS));
    sizeBoard(widget, state.range(3) != 0);
    if (painting) {
        widget.show();
        QCoreApplication::processEvents();
    }
    runCourse(state, course, widget, painting);
}
BENCHMARK(BM_TickAndRepaint)
    ->ArgNames({"segments", "poison", "paint", "4k"})
    ->Args({600, 300, 0, 0})
    ->Args({600, 300, 1, 0})
    ->Args({1, 0, 1, 0})
    ->Args({600, 300, 1, 1})
    ->Unit(benchmark::kMicrosecond);

// The shake drawn inside the window (where only the compositor places
// windows): one step of the shake on a window whose frame shows moves
// inside it, as on Wayland, which displaces the whole playfield, then the
// repaint the event loop runs. 600 segments and 300 poison items.
void BM_ShakeStepInWindow(benchmark::State& state)
{
    TempFolder folder;
    makeGameFolder(folder, VERMO_ASSETS);
    const Folder gameFolder = Folder::open(folder.path());
    ScaledClient window(QSize(clientWidthTwips, clientHeightTwips), units::logicalDpi(), Qt::black);
    window.setFixedSize(clientSize());
    IconFiles icons(gameFolder);
    QtWindowFrame frame(&window, icons, WindowPlacement::ByCompositor);
    testing::ManualTimer tmscoreupdate, tmvermomove, tmshake, tminvisible;
    NoBoxes dialogs;
    CountingRandom random;
    NoProgramEnd programEnd;
    testing::CountingWindows windows;
    VermoGame game(Services{tmscoreupdate, tmvermomove, tmshake, tminvisible, dialogs, random, frame,
                            programEnd, windows, gameFolder});
    game.Form_Load();
    layBoard(game, 600, 300);
    game.cmdstart.Visible = false;
    auto* playfield = new PlayfieldWidget(game, gameFolder, &window);
    window.setBoard(playfield, [playfield](double dpi) { playfield->setDpi(dpi); });
    frame.setDisplace([&window](QPoint twips) { window.displace(twips); });
    window.show();
    QCoreApplication::processEvents();
    long paints = 0;
    QObject::connect(playfield, &PlayfieldWidget::painted, [&paints] { ++paints; });
    game.shakePhase = 1;
    long steps = 0;
    for (auto _ : state) {
        game.shakeTicks = 1;  // a shake that never ends
        game.tmshake_Timer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        ++steps;
    }
    state.counters["paints/step"] = steps ? static_cast<double>(paints) / steps : 0.0;
}
BENCHMARK(BM_ShakeStepInWindow)->Unit(benchmark::kMicrosecond);

// The movement tick's repaint while the playfield stands displaced inside
// its holder, as during a shake drawn inside the window.
void BM_TickAndRepaintDisplaced(benchmark::State& state)
{
    TickCourse course(600, 300);
    namePictures(course.game());
    QWidget holder;
    holder.setFixedSize(clientSize());
    PlayfieldWidget widget(course.game(), Folder::open(VERMO_ASSETS), &holder);
    widget.setFixedSize(clientSize());
    const int step = units::pixelsFromTwips(300, units::logicalDpi());
    widget.move(step, -step);
    holder.show();
    runCourse(state, course, widget, true);
}
BENCHMARK(BM_TickAndRepaintDisplaced)->Unit(benchmark::kMicrosecond);

// The real main window's client area with its panel labels on top, as the
// screen gets it after a tick; and before the first game, with the large
// "Start Game" button covering the field.
void BM_PaintWindow(benchmark::State& state)
{
    const bool startScreen = state.range(0) == 0;
    TempFolder folder;
    makeGameFolder(folder, VERMO_ASSETS);
    MainWindow window(folder.gameFolders());
    if (!startScreen) {
        layBoard(window.game(), 600, 300);
        window.game().cmdstart.Visible = false;
        window.game().lblscore.Caption = "12345";
    }
    window.refreshFromModel();
    QWidget& client = *window.playfield();
    QImage image(client.size(), QImage::Format_RGB32);
    client.render(&image);
    for (auto _ : state) {
        client.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintWindow)
    ->ArgName("playing")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vermo::bench
