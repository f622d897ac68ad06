#pragma once

#include <QIcon>
#include <QImage>
#include <filesystem>

namespace vermo {

// The pictures and the icon are read through the same plain-file reader as
// every other file of the game: a folder, a pipe or a device in a
// picture's place, or a file that does not decode, gives a null picture
// (the caller draws its stand-in) instead of a wait.
inline constexpr std::size_t maxPictureFileBytes = 16 * 1024 * 1024;

QImage pictureFromFile(const std::filesystem::path& file);

// Every size the icon file holds that decodes; null when none does.
QIcon iconFromFile(const std::filesystem::path& file);

}  // namespace vermo
