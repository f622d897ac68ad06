#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace vermo {

// Reads at most `limit` bytes of a file the game opens (the high-score
// table, the help text, the pictures, the icon). No value when the file is
// missing, cannot be read, or is not a plain file: a folder, a named pipe
// or a device counts as missing. The open never waits, so a pipe put in a
// file's place cannot hang the game.
std::optional<std::string> ReadPlainFile(const std::filesystem::path& file, std::size_t limit);

}  // namespace vermo
