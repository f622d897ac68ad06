// SPDX-License-Identifier: GPL-3.0-or-later
// The game core's hot paths: one movement tick, the berry and poison
// placements, and the high-score table's sort and file round trip.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_services.h"
#include "board_layouts.h"
#include "tick_course.h"
#include "scores/score_file.h"

namespace vermo::bench {
namespace {

void BM_MovementTick(benchmark::State& state)
{
    TickCourse course(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        course.tick();
        if (course.atEnd()) {
            state.PauseTiming();
            const bool onCourse = course.restart();
            state.ResumeTiming();
            if (!onCourse) {
                state.SkipWithError("the head left its course");
                break;
            }
        }
    }
}
BENCHMARK(BM_MovementTick)
    ->ArgNames({"segments", "poison"})
    ->ArgsProduct({{1, 100, 600}, {0, 300}});

// The tick that eats an orange berry with 600 segments and 300 poison
// items on the board: it grows the worm, places a poison item and a new
// berry. The board is put back after every tick, outside the timed part.
void BM_EatingTick(benchmark::State& state)
{
    BenchGame bench;
    VermoGame& g = *bench.game;
    const auto lowerRows = serpentine(13, 23);
    putHead(g, {1, 1});
    layBody(g, 599, lowerRows);
    layPoison(g, 300, std::vector<Cell>(lowerRows.rbegin(), lowerRows.rend()));
    g.berry.Left = g.vermo(0).Left;
    g.berry.Top = g.vermo(0).Top;
    g.berryKind = 5;
    g.speed = 20;
    g.movingRight = true;
    const FormState start = g;
    const long long drawsBefore = bench.random.draws;
    for (auto _ : state) {
        bench.tmvermomove.fire();
        state.PauseTiming();
        if (g.vermo.highest() != 600 || g.poisonCount != 301)
            state.SkipWithError("the berry was not eaten");
        static_cast<FormState&>(g) = start;
        state.ResumeTiming();
    }
    state.counters["draws"] = benchmark::Counter(static_cast<double>(bench.random.draws - drawsBefore),
                                                 benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EatingTick)->Unit(benchmark::kMicrosecond);

// A board on which the worm covers `percent` of the 529 cells: the head in
// the top left corner, the body after it along a serpentine over the
// whole field; the free cells are the last ones of the serpentine.
std::vector<Cell> coverBoard(VermoGame& g, int percent)
{
    const auto path = serpentine(1, gridCells);
    putHead(g, path[0]);
    const int body = (gridCells * gridCells * percent + 50) / 100;
    layBody(g, body, std::vector<Cell>(path.begin() + 1, path.end()));
    return std::vector<Cell>(path.begin() + 1 + body, path.end());
}

void BM_Place(benchmark::State& state)
{
    BenchGame bench;
    VermoGame& g = *bench.game;
    coverBoard(g, static_cast<int>(state.range(0)));
    g.poisonPlaced = false;
    const long long drawsBefore = bench.random.draws;
    for (auto _ : state) {
        g.Place();
        benchmark::DoNotOptimize(g.berry.Left);
    }
    state.counters["draws"] = benchmark::Counter(static_cast<double>(bench.random.draws - drawsBefore),
                                                 benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Place)->ArgName("covered%")->Arg(0)->Arg(90)->Unit(benchmark::kMicrosecond);

// Each call places the first poison item of a game afresh, so the board
// stays as it is from one call to the next.
void BM_PlaceP(benchmark::State& state)
{
    BenchGame bench;
    VermoGame& g = *bench.game;
    const auto freeCells = coverBoard(g, static_cast<int>(state.range(0)));
    const Cell berry = freeCells[freeCells.size() / 2];
    g.berry.Left = gridCoordinate(berry.column);
    g.berry.Top = gridCoordinate(berry.row);
    const long long drawsBefore = bench.random.draws;
    for (auto _ : state) {
        g.poisonCount = 0;
        g.PlaceP();
        benchmark::DoNotOptimize(g.poison(1).Left);
    }
    state.counters["draws"] = benchmark::Counter(static_cast<double>(bench.random.draws - drawsBefore),
                                                 benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PlaceP)->ArgName("covered%")->Arg(0)->Arg(90)->Unit(benchmark::kMicrosecond);

// One draw as the placements make it: a reseed from the clock, then a draw.
void BM_RandomDraw(benchmark::State& state)
{
    ClockRandom random;
    for (auto _ : state)
        benchmark::DoNotOptimize(drawOneTo(random, gridCells));
}
BENCHMARK(BM_RandomDraw);

ScoreTable sampleTable(bool ascending)
{
    ScoreTable table;
    for (std::size_t i = 1; i <= 10; ++i) {
        table.names[i] = "Player " + std::to_string(i);
        table.scores[i] = static_cast<std::int32_t>(ascending ? i * 100 : (11 - i) * 100);
    }
    return table;
}

// The copy a sort works on is part of each iteration; BM_CopyTable
// measures it alone.
void BM_SortScores(benchmark::State& state)
{
    const ScoreTable source = sampleTable(state.range(0) == 0);
    for (auto _ : state) {
        ScoreTable table = source;
        SortScores(table);
        benchmark::DoNotOptimize(table.scores.data());
    }
}
BENCHMARK(BM_SortScores)->ArgName("reversed")->Arg(0)->Arg(1);

void BM_CopyTable(benchmark::State& state)
{
    const ScoreTable source = sampleTable(false);
    for (auto _ : state) {
        ScoreTable table = source;
        benchmark::DoNotOptimize(table.scores.data());
    }
}
BENCHMARK(BM_CopyTable);

// What the panel refresh does every five seconds.
void BM_ReadSort(benchmark::State& state)
{
    TempFolder folder;
    const Folder gameFolder = Folder::open(folder.path());
    WriteScores(sampleTable(false), findTable(gameFolder));
    ScoreTable table;
    for (auto _ : state) {
        if (!ReadScores(table, findTable(gameFolder)).read()) {
            state.SkipWithError("the table could not be read");
            break;
        }
        SortScores(table);
    }
}
BENCHMARK(BM_ReadSort)->Unit(benchmark::kMicrosecond);

// What a game over with a new high score does: read, sort, write (the
// write goes through a temporary file, flushed to the disk and renamed).
void BM_ReadSortWrite(benchmark::State& state)
{
    TempFolder folder;
    const Folder gameFolder = Folder::open(folder.path());
    WriteScores(sampleTable(false), findTable(gameFolder));
    ScoreTable table;
    for (auto _ : state) {
        const TablePlace place = findTable(gameFolder);
        if (!ReadScores(table, place).read()) {
            state.SkipWithError("the table could not be read");
            break;
        }
        SortScores(table);
        table.scores[1] += 1;
        if (!WriteScores(table, place)) {
            state.SkipWithError("the table could not be written");
            break;
        }
    }
}
BENCHMARK(BM_ReadSortWrite)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vermo::bench

BENCHMARK_MAIN();
