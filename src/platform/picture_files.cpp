#include "platform/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>

#include "platform/plain_file.h"

namespace vermo {

namespace {
QByteArray fileBytes(const std::filesystem::path& file)
{
    const auto bytes = ReadPlainFile(file, maxPictureFileBytes);
    if (!bytes)
        return {};
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}
}  // namespace

QImage pictureFromFile(const std::filesystem::path& file)
{
    const QByteArray bytes = fileBytes(file);
    if (bytes.isEmpty())
        return {};
    return QImage::fromData(bytes);
}

QIcon iconFromFile(const std::filesystem::path& file)
{
    QIcon icon;
    QByteArray bytes = fileBytes(file);
    if (bytes.isEmpty())
        return icon;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        icon.addPixmap(QPixmap::fromImage(image));
    } while (reader.jumpToNextImage());
    return icon;
}

}  // namespace vermo
