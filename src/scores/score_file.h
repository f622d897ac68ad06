#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace vermo {

// The ten best results, two parallel arrays indexed 1 to 10 (index 0 is
// unused). After SortScores entry 1 is the lowest result, the one a new
// result must beat, and entry 10 the best.
struct ScoreTable {
    std::array<std::string, 11> names;
    std::array<std::int32_t, 11> scores{};

    // Ten entries "Computer" with 0.
    static ScoreTable defaults();
};

inline constexpr const char* scoreFileName = "topten.dll";

// Reads ten records in file order into entries 1 to 10. Fails when the
// file cannot be opened or ends before the tenth record is complete; on
// failure the table is left exactly as it was. Never reads more than a
// bounded amount of the file.
bool ReadScores(ScoreTable& table, const std::filesystem::path& file);

// The nine-pass exchange sort: ascending by score, equal scores keep
// their order.
void SortScores(ScoreTable& table);

// Writes entries 1 to 10 in index order as `"name",score` CR LF records.
// The table goes to a temporary file in the same folder first and is
// then renamed over the old one, so a crash or a full disk never leaves
// half a table. Returns false (the old file untouched) when it cannot.
bool WriteScores(const ScoreTable& table, const std::filesystem::path& file);

// Removes temporary files that an interrupted write left in the folder.
void RemoveStaleScoreFiles(const std::filesystem::path& file);

// A name typed at the prompt made safe for the file: double quotes become
// single quotes, line breaks and other control characters become blanks,
// and the name is cut to maxNameBytes (on a character boundary).
inline constexpr std::size_t maxNameBytes = 255;
std::string SafeName(const std::string& typed);

}  // namespace vermo
