// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/folder.h"

namespace vermo {

// The pictures and the icon are read through the game's folder like every
// other file: a folder, a pipe or a device in a picture's place, a link the
// game does not follow, or a file that does not decode gives a null picture
// (the caller draws its stand-in) instead of a wait. What is decoded is
// checked first, so no file can make the game decode more than a few
// pictures of a few hundred pixels (D-19).
inline constexpr std::size_t maxPictureFileBytes = 1024 * 1024;

// The pictures are GIF files drawn at about 19 px; one larger than this on
// either side is not one of the game's and is not decoded, nor is a file
// in any other format.
inline constexpr int maxPictureSide = 1024;

QImage pictureFromBytes(const QByteArray& bytes);
QImage pictureFromFile(const Folder& folder, const std::string& name);

// A window icon holds sizes up to 256 px. Only bitmap entries whose
// pictures really have the size the icon's list gives them are decoded, one
// for each size, at most maxIconSizes sizes and iconPixelBudget pixels in
// all.
inline constexpr int maxIconSide = 256;
inline constexpr int maxIconSizes = 8;
inline constexpr std::int64_t iconPixelBudget = 2 * 256 * 256;

QIcon iconFromBytes(const QByteArray& bytes);
QIcon iconFromFile(const Folder& folder, const std::string& name);

// The icon files of the game's folder, each decoded the first time a window
// asks for it and kept for the rest of the run.
class IconFiles {
public:
    explicit IconFiles(Folder folder) : folder_(std::move(folder)) {}

    // Null when the file is missing or does not decode.
    const QIcon& icon(const std::string& name);

private:
    Folder folder_;
    std::map<std::string, QIcon> loaded_;
};

}  // namespace vermo
