// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/picture_files.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

#include <vector>

namespace vermo {

namespace {

constexpr std::size_t maxPictureFileBytes = 1024 * 1024;
constexpr int maxIconSide = 256;

QByteArray fileBytes(const Folder& folder, const std::string& name)
{
    const FileRead file = folder.readThroughLinks(name, maxPictureFileBytes);
    if (!file.read())
        return {};
    return QByteArray(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
}

// Reads a picture only when its size is known beforehand and small enough.
QImage decodeChecked(const QByteArray& bytes, const char* format, int maxSide)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > maxSide || size.height() > maxSide)
        return {};
    return reader.read();
}

// One picture of an icon file, as its list describes it.
struct IconEntry {
    const uchar* header;  // the 16 bytes of the list entry
    int side;
    int bitCount;
    std::uint32_t offset, size;
};

constexpr std::size_t iconHeaderBytes = 6, iconEntryBytes = 16;

// The size a bitmap entry's own header claims (its height counts the mask's
// rows too); nothing for anything else. Entries compressed as PNG are not
// decoded at all: however small the picture, its compressed data can be
// made to inflate without end.
QSize claimedSize(const uchar* data, std::uint32_t size)
{
    if (size >= 40 && qFromLittleEndian<quint32>(data) >= 40) {
        const auto width = qFromLittleEndian<qint32>(data + 4);
        const auto height = qFromLittleEndian<qint32>(data + 8);
        if (width > 0 && width <= maxIconSide && height > 0 && height <= 2 * maxIconSide)
            return {width, height / 2};
    }
    return {};
}

// The entries worth decoding: honest ones, the deepest of each size, the
// smallest sizes first as far as the budget goes.
std::vector<IconEntry> entriesToDecode(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const auto fileSize = static_cast<std::size_t>(bytes.size());
    if (fileSize < iconHeaderBytes || qFromLittleEndian<quint16>(data) != 0
        || qFromLittleEndian<quint16>(data + 2) != 1)
        return {};
    std::map<int, IconEntry> deepest;  // by side
    const std::size_t count = qFromLittleEndian<quint16>(data + 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = iconHeaderBytes + i * iconEntryBytes;
        if (at + iconEntryBytes > fileSize)
            break;
        const uchar* header = data + at;
        const IconEntry entry{header, header[0] == 0 ? 256 : header[0],
                              qFromLittleEndian<quint16>(header + 6),
                              qFromLittleEndian<quint32>(header + 12),
                              qFromLittleEndian<quint32>(header + 8)};
        if ((header[1] == 0 ? 256 : header[1]) != entry.side || entry.offset > fileSize
            || entry.size > fileSize - entry.offset
            || claimedSize(data + entry.offset, entry.size) != QSize(entry.side, entry.side))
            continue;
        const auto [kept, added] = deepest.try_emplace(entry.side, entry);
        if (!added && entry.bitCount > kept->second.bitCount)
            kept->second = entry;
    }
    std::vector<IconEntry> chosen;
    std::int64_t pixels = 0;
    for (const auto& [side, entry] : deepest) {
        pixels += std::int64_t{side} * side;
        if (chosen.size() == static_cast<std::size_t>(maxIconSizes) || pixels > iconPixelBudget)
            break;
        chosen.push_back(entry);
    }
    return chosen;
}

// One entry as an icon file of its own, for the icon decoder.
QByteArray singleEntryIcon(const QByteArray& bytes, const IconEntry& entry)
{
    const char header[iconHeaderBytes] = {0, 0, 1, 0, 1, 0};
    const char offset[4] = {iconHeaderBytes + iconEntryBytes, 0, 0, 0};
    QByteArray single(header, sizeof header);
    single.append(reinterpret_cast<const char*>(entry.header), 12);
    single.append(offset, sizeof offset);
    single.append(bytes.constData() + entry.offset, static_cast<qsizetype>(entry.size));
    return single;
}

}  // namespace

QImage pictureFromBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    // Other formats are not tried (D-19).
    return decodeChecked(bytes, "GIF", maxPictureSide);
}

QImage pictureFromFile(const Folder& folder, const std::string& name)
{
    return pictureFromBytes(fileBytes(folder, name));
}

QIcon iconFromBytes(const QByteArray& bytes)
{
    QIcon icon;
    for (const IconEntry& entry : entriesToDecode(bytes)) {
        const QImage image = decodeChecked(singleEntryIcon(bytes, entry), "ICO", maxIconSide);
        if (!image.isNull() && image.size() == QSize(entry.side, entry.side))
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QIcon iconFromFile(const Folder& folder, const std::string& name)
{
    return iconFromBytes(fileBytes(folder, name));
}

const QIcon& IconFiles::icon(const std::string& name)
{
    const auto found = loaded_.find(name);
    if (found != loaded_.end())
        return found->second;
    return loaded_.emplace(name, iconFromFile(folder_, name)).first->second;
}

}  // namespace vermo
