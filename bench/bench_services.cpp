// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_services.h"

#include <cstdio>
#include <cstdlib>

#include "scores/score_file.h"

namespace vermo::bench {

namespace {
[[noreturn]] void stop(const char* kind, const std::string& text)
{
    std::fprintf(stderr, "benchmark error: the game opened a %s box: \"%s\"\n", kind, text.c_str());
    std::abort();
}
}  // namespace

void NoBoxes::message(const std::string& text, const std::string&) { stop("message", text); }

Answer NoBoxes::askYesNo(const std::string& text, const std::string&) { stop("Yes/No", text); }

std::string NoBoxes::input(const std::string& prompt, const std::string&, const std::string&)
{
    stop("input", prompt);
}

void NoProgramEnd::endNow()
{
    std::fprintf(stderr, "benchmark error: the game asked to end the program\n");
    std::abort();
}

void makeGameFolder(const TempFolder& folder, const std::filesystem::path& assets)
{
    for (const char* file : {"vermou.gif", "vermod.gif", "vermol.gif", "vermor.gif", "poison.gif",
                             "vermoicp.ico", "helpfile.bat"}) {
        std::filesystem::copy_file(assets / file, folder / file,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    WriteScores(ScoreTable::defaults(), findTable(Folder::open(folder.path())));
}

BenchGame::BenchGame()
{
    // A table on disk, so the load finds one and opens no box.
    const Folder gameFolder = Folder::open(folder.path());
    WriteScores(ScoreTable::defaults(), findTable(gameFolder));
    game = std::make_unique<VermoGame>(Services{tmscoreupdate, tmvermomove, tmshake, tminvisible,
                                                dialogs, random, frame, programEnd, windows,
                                                gameFolder});
    game->Form_Load();
}

}  // namespace vermo::bench
