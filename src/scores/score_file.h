#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

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

inline constexpr const char* scoreFileName = "topten.dll";

// A reader looks at no more than this much of the file: ten honest
// records are a few kilobytes, and a huge or endless file must not stall
// the game. Records beyond this bound count as missing.
inline constexpr std::size_t maxScoreFileBytes = std::size_t{1} << 20;

// Reads ten records in file order into entries 1 to 10. Fails when the
// file cannot be opened (missing, a folder, not a plain file) or ends
// before the tenth record is complete; on failure the table is left
// exactly as it was. Never reads more than maxScoreFileBytes.
bool ReadScores(ScoreTable& table, const std::filesystem::path& file);

// The same as ReadScores for bytes already in memory (no bound applied).
bool ParseScores(ScoreTable& table, std::string_view bytes);

// The ten records exactly as WriteScores puts them in the file, names
// made safe with SafeName so that every record reads back as written.
std::string FormatScores(const ScoreTable& table);

// The nine-pass exchange sort: ascending by score, equal scores keep
// their order.
void SortScores(ScoreTable& table);

// Writes entries 1 to 10 in index order as `"name",score` CR LF records
// (the bytes of FormatScores). The table goes to a temporary file in the
// same folder first, is flushed to the disk and then renamed over the old
// one, so a crash or a full disk never leaves half a table. Returns false
// (the old file untouched, no temporary file left) when it cannot.
bool WriteScores(const ScoreTable& table, const std::filesystem::path& file);

// Removes temporary files that an interrupted write left in the folder:
// plain files named like "topten.dll.Ab3xZ9.tmp" (the file's name, a dot,
// six letters or digits, ".tmp"), nothing else.
void RemoveStaleScoreFiles(const std::filesystem::path& file);

// Whether a file name in the folder is one of those temporary files.
bool IsScoreTempFileName(const std::string& fileName, const std::string& scoreFile);

// A name typed at the prompt made safe for the file: double quotes become
// single quotes, line breaks and other control characters become blanks,
// and the name is cut to maxNameBytes (on a character boundary).
inline constexpr std::size_t maxNameBytes = 255;
std::string SafeName(const std::string& typed);

}  // namespace vermo
