// SPDX-License-Identifier: GPL-3.0-or-later
// What the files built to stall the game cost it: an icon of many entries
// that claim small sizes but hold huge pictures, and help texts of one
// huge line. Each benchmark loads the file as the game does (the icon for
// the windows, the help window opened with F1) and reports the time and
// the extra peak memory of one load.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench_services.h"
#include "platform/qt/picture_files.h"
#include "process_stats.h"
#include "support/crafted_icon.h"
#include "ui/qt/help_window.h"

namespace vermo::bench {
namespace {

// An icon file of `entries` entries, each listed as 256 px, entry i
// pointing at picture i % pictures.size().
QByteArray craftedIcon(int entries, const std::vector<QByteArray>& pictures)
{
    std::vector<testing::ListedEntry> listed;
    for (int i = 0; i < entries; ++i)
        listed.push_back({256, 32, i % static_cast<int>(pictures.size())});
    return testing::iconFile(listed, pictures);
}

QByteArray blankPng(int side)
{
    return testing::pngOf(side, QImage::Format_Mono);
}

void writeFile(const TempFolder& folder, const std::string& name, const QByteArray& bytes)
{
    folder.write(name, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// One load per iteration, with the peak memory above what the process held
// before the first.
template <typename Load>
void measure(benchmark::State& state, Load load)
{
    const long before = residentKib();
    resetPeakResident();
    for (auto _ : state)
        load();
    state.counters["extra_peak_MB"] = static_cast<double>(peakResidentKib() - before) / 1024.0;
}

// 200 entries, all pointing at one 4000 x 4000 picture.
void BM_IconOf200EntriesOfOneHugePicture(benchmark::State& state)
{
    TempFolder folder;
    writeFile(folder, "vermoicp.ico", craftedIcon(200, {blankPng(4000)}));
    const Folder files = Folder::open(folder.path());
    measure(state, [&] { benchmark::DoNotOptimize(IconFiles(files).icon("vermoicp.ico").isNull()); });
}
BENCHMARK(BM_IconOf200EntriesOfOneHugePicture)->Unit(benchmark::kMillisecond);

// 24 entries of different huge pictures, about 5700 px each.
void BM_IconOf24HugePictures(benchmark::State& state)
{
    TempFolder folder;
    std::vector<QByteArray> pictures;
    for (int i = 0; i < 24; ++i)
        pictures.push_back(blankPng(5690 + i));
    writeFile(folder, "vermoicp.ico", craftedIcon(24, pictures));
    const Folder files = Folder::open(folder.path());
    measure(state, [&] { benchmark::DoNotOptimize(IconFiles(files).icon("vermoicp.ico").isNull()); });
}
BENCHMARK(BM_IconOf24HugePictures)->Unit(benchmark::kMillisecond);

// The game's own icon, for comparison.
void BM_IconOfTheGame(benchmark::State& state)
{
    const Folder files = Folder::open(VERMO_ASSETS);
    measure(state, [&] { benchmark::DoNotOptimize(IconFiles(files).icon("vermoicp.ico").isNull()); });
}
BENCHMARK(BM_IconOfTheGame)->Unit(benchmark::kMillisecond);

// F1: the help window loaded with the file and shown, up to its first paint.
void openHelp(const Folder& files)
{
    NoProgramEnd programEnd;
    HelpWindow window(programEnd);
    window.load(files);
    window.show();
    QApplication::processEvents();
    window.repaint();
}

// One quoted line of `bytes` letters (blanks every eighth when `words`).
void BM_HelpOfOneHugeLine(benchmark::State& state)
{
    TempFolder folder;
    std::string line(static_cast<std::size_t>(state.range(0)) * 1024, 'w');
    if (state.range(1) != 0)
        for (std::size_t i = 7; i < line.size(); i += 8)
            line[i] = ' ';
    folder.write("helpfile.bat", "\"" + line + "\"");
    const Folder files = Folder::open(folder.path());
    measure(state, [&] { openHelp(files); });
}
BENCHMARK(BM_HelpOfOneHugeLine)
    ->ArgNames({"KiB", "words"})
    ->Args({512, 0})
    ->Args({1024, 0})
    ->Args({1024, 1})
    ->Unit(benchmark::kMillisecond);

// One quoted field of 1 MiB made of a short piece again and again: lines of
// one letter, zero-width spaces, alternating direction marks.
void BM_HelpOfManyTinyPieces(benchmark::State& state)
{
    static const char* const pieces[] = {"a\n", "\xE2\x80\x8B", "\xE2\x80\xAE\xE2\x80\xAD"};
    const std::string piece = pieces[state.range(0)];
    TempFolder folder;
    std::string field;
    while (field.size() + piece.size() < 1024 * 1024 - 2)
        field += piece;
    folder.write("helpfile.bat", "\"" + field + "\"");
    const Folder files = Folder::open(folder.path());
    measure(state, [&] { openHelp(files); });
}
BENCHMARK(BM_HelpOfManyTinyPieces)
    ->ArgName("lines_zerowidth_bidimarks")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

// A sparse file of 1 GB: only the first MiB is read.
void BM_HelpOfASparseGigabyte(benchmark::State& state)
{
    TempFolder folder;
    {
        const int fd = ::open((folder.path() / "helpfile.bat").c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0 || ::ftruncate(fd, off_t{1} << 30) != 0)
            state.SkipWithError("the sparse file could not be made");
        if (fd >= 0)
            ::close(fd);
    }
    const Folder files = Folder::open(folder.path());
    measure(state, [&] { openHelp(files); });
}
BENCHMARK(BM_HelpOfASparseGigabyte)->Unit(benchmark::kMillisecond);

// The game's own help text, for comparison.
void BM_HelpOfTheGame(benchmark::State& state)
{
    const Folder files = Folder::open(VERMO_ASSETS);
    measure(state, [&] { openHelp(files); });
}
BENCHMARK(BM_HelpOfTheGame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vermo::bench
