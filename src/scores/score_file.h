// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <string>
#include <string_view>

#include "scores/table_place.h"

namespace vermo {

// The ten best results, two parallel arrays indexed 1 to 10 (index 0 is
// unused). After SortScores entry 1 is the lowest result, the one a new
// result must beat, and entry 10 the best.
struct ScoreTable {
    std::array<std::string, 11> names;
    std::array<std::int32_t, 11> scores{};

    // Ten entries "Computer" with 0.
    static ScoreTable defaults();

    bool operator==(const ScoreTable&) const = default;
};

// A reader looks at no more than this much of the file; records beyond it
// count as missing (D-20).
inline constexpr std::size_t maxScoreFileBytes = std::size_t{1} << 20;

// ReadScores on bytes already in memory (no bound applied). Fails when the
// bytes end before the tenth record is complete.
bool parseScores(ScoreTable& table, std::string_view bytes);

// Whether the bytes are a high-score table at all: ten complete records,
// each name in double quotes, as the game writes them. A file that is not
// (a note, a letter) is never written over through a link (D-16).
bool isScoreTable(std::string_view bytes);

// Entries 1 to 10 in index order as `"name",score` CR LF records, each
// name as storedName leaves it, so that every record reads back as written.
std::string formatScores(const ScoreTable& table);

// The nine-pass exchange sort: ascending by score, equal scores keep
// their order.
void SortScores(ScoreTable& table);

// What reading the table found.
struct TableRead {
    enum class State {
        Read,        // the table holds the ten records
        Missing,     // no file: the start-up recovery makes one
        Damaged,     // fewer than ten records, or something that is no table
                     // (a folder, a pipe, a link the game does not follow):
                     // the start-up recovery replaces it
        Unreadable,  // there, but it could not be read (error says why):
                     // it is left alone
        LinkLeftAlone,  // the player's link, which leads to no table now
                        // (TablePlace::leftAlone says why): left as it is
    };
    State state = State::Missing;
    int error = 0;

    bool read() const { return state == State::Read; }
    // Missing or damaged: a fresh table may take its place.
    bool replaceable() const { return state == State::Missing || state == State::Damaged; }
};

// Reads ten records in file order into entries 1 to 10; on anything but
// State::Read the table is left exactly as it was. Never reads more than
// maxScoreFileBytes.
TableRead ReadScores(ScoreTable& table, const TablePlace& place);

// ReadScores, then SortScores when it read: what every reader of the
// table does.
TableRead readSortedTable(ScoreTable& table, const TablePlace& place);

// Writes the bytes of formatScores by Folder::replace, so that a crash or
// a full disk never leaves half a table (D-10); nothing when the place is
// a link left alone.
Replacement WriteScores(const ScoreTable& table, const TablePlace& place);

// Removes temporary files that interrupted writes left beside the place:
// plain files named like "topten.dll.4711.Ab3xZ9.tmp" whose process has
// ended, nothing else.
void removeStaleScoreFiles(const TablePlace& place);

// A name typed at the prompt made safe for the file: no double quote nor
// control character, at most maxNameBytes (D-12).
inline constexpr std::size_t maxNameBytes = 255;
std::string safeName(const std::string& typed);

// A name read from the file, as it is written back: byte for byte, but
// with no double quote and at most maxStoredNameBytes (D-13).
inline constexpr std::size_t maxStoredNameBytes = 64 * 1024;
std::string storedName(const std::string& name);

}  // namespace vermo
