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

// The ten records exactly as WriteScores puts them in the file, each name
// as StoredName leaves it, so that every record reads back as written.
std::string FormatScores(const ScoreTable& table);

// The nine-pass exchange sort: ascending by score, equal scores keep
// their order.
void SortScores(ScoreTable& table);

// The file a write of `file` goes to: when `file` is a symbolic link to a
// plain file (or to a file not made yet), the file the link points to;
// otherwise `file` itself.
std::filesystem::path ScoreFileTarget(const std::filesystem::path& file);

// Writes entries 1 to 10 in index order as `"name",score` CR LF records
// (the bytes of FormatScores). The table goes to a temporary file in the
// same folder first, is flushed to the disk and then renamed over the old
// one, so a crash or a full disk never leaves half a table. A link named
// like the table stays a link: the table it points to is replaced.
// Returns false (the old file untouched, no temporary file left) when it
// cannot.
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

// A name read from the file, as it is written back: byte for byte, except
// that a double quote (found only in a hand-written record without
// quotes) becomes a single quote, since it would end the name early, and
// that a name is cut to maxStoredNameBytes, so ten records always lie
// within the part of the file a reader looks at.
inline constexpr std::size_t maxStoredNameBytes = 64 * 1024;
std::string StoredName(const std::string& name);

}  // namespace vermo
