// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

#include <cstdint>
#include <map>
#include <string>

#include "platform/folder.h"

namespace vermo {

// The pictures and the icon are read through the game's folder like every
// other file: anything in a picture's place that is not a file the game may
// read, or that does not decode, gives a null picture (the caller draws its
// stand-in) instead of a wait. What is decoded is checked first (D-19).
inline constexpr int maxPictureSide = 1024;

QImage pictureFromBytes(const QByteArray& bytes);
QImage pictureFromFile(const Folder& folder, const std::string& name);

// Of an icon, at most this many sizes are decoded, this many pixels in all.
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
