// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small helpers for building high-score tables and file contents in tests.

#include "platform/folder.h"
#include "scores/score_file.h"
#include "scores/table_place.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace vermo::testing {

using Entry = std::pair<std::string, std::int32_t>;

// The table of the folder at `folder`, found as the game finds it.
inline TablePlace tableIn(const std::filesystem::path& folder)
{
    return findTable(Folder::open(folder));
}

// A table from exactly ten entries, entry 1 first.
inline ScoreTable tableOf(const std::vector<Entry>& entries)
{
    ScoreTable table;
    for (std::size_t i = 0; i < entries.size() && i < 10; ++i) {
        table.names[i + 1] = entries[i].first;
        table.scores[i + 1] = entries[i].second;
    }
    return table;
}

// Ten entries "A" to "J" with the scores 1 to 10.
inline std::vector<Entry> lettersOneToTen()
{
    std::vector<Entry> entries;
    for (int i = 0; i < 10; ++i)
        entries.emplace_back(std::string(1, static_cast<char>('A' + i)), i + 1);
    return entries;
}

// `"name",score` records, each followed by `lineEnd`.
inline std::string recordsOf(const std::vector<Entry>& entries, const std::string& lineEnd = "\r\n")
{
    std::string bytes;
    for (const auto& [name, score] : entries)
        bytes += "\"" + name + "\"," + std::to_string(score) + lineEnd;
    return bytes;
}

// The file of ten equal records; by default the table a first run writes.
inline std::string tenRecordsOf(const std::string& name = "Computer", std::int32_t score = 0)
{
    return recordsOf(std::vector<Entry>(10, {name, score}));
}

// Nine first-run records with the best one last, as the file holds them.
inline std::string recordsWithBest(const std::string& name, std::int32_t score)
{
    std::vector<Entry> entries(9, {"Computer", 0});
    entries.emplace_back(name, score);
    return recordsOf(entries);
}

// A table that no read produces by accident, to see that a failed read
// leaves it alone.
inline ScoreTable sentinelTable()
{
    std::vector<Entry> entries;
    for (int i = 0; i < 10; ++i)
        entries.emplace_back("untouched " + std::to_string(i + 1), 1000 * (i + 1) + 7);
    return tableOf(entries);
}

// The names of the score file's temporary files in a folder.
inline std::vector<std::string> tempFilesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const auto name = entry.path().filename().string();
        if (name.size() > std::string(scoreFileName).size()
            && name.compare(0, std::string(scoreFileName).size() + 1, std::string(scoreFileName) + ".") == 0)
            found.push_back(name);
    }
    return found;
}

}  // namespace vermo::testing
