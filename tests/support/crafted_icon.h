// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icon files built byte by byte, honest or built to stall the game, for the
// tests and the benchmarks alike.

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <vector>

namespace vermo::testing {

// A blank square picture as PNG bytes.
inline QByteArray pngOf(int side, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(side, side, format);
    image.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline void appendLittleEndian(QByteArray& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An icon file: each entry lists a size (256 as 0) and a bit depth and
// points at its picture data; entries may share one picture.
struct ListedEntry {
    int listedSide;
    int bitCount;
    int picture;  // index into the pictures
};

inline QByteArray iconFile(const std::vector<ListedEntry>& entries,
                           const std::vector<QByteArray>& pictures)
{
    QByteArray bytes;
    appendLittleEndian(bytes, 0, 2);
    appendLittleEndian(bytes, 1, 2);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(entries.size()), 2);
    std::vector<std::uint32_t> offsets;
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (const QByteArray& picture : pictures) {
        offsets.push_back(offset);
        offset += static_cast<std::uint32_t>(picture.size());
    }
    for (const ListedEntry& entry : entries) {
        const char side = static_cast<char>(entry.listedSide == 256 ? 0 : entry.listedSide);
        bytes.append(side).append(side).append('\0').append('\0');
        appendLittleEndian(bytes, 1, 2);
        appendLittleEndian(bytes, static_cast<std::uint32_t>(entry.bitCount), 2);
        appendLittleEndian(bytes, static_cast<std::uint32_t>(pictures[entry.picture].size()), 4);
        appendLittleEndian(bytes, offsets[entry.picture], 4);
    }
    for (const QByteArray& picture : pictures)
        bytes.append(picture);
    return bytes;
}

}  // namespace vermo::testing
