// No picture, icon or help file can make the game decode or lay out more
// than a little: what a file claims is checked before the work is done.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <csignal>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "platform/picture_files.h"
#include "support/temp_folder.h"
#include "ui/help_window.h"
#include "windows/window_test_support.h"

namespace vermo {
namespace {

using testing::TempFolder;

// A file built to stall the game would end the test by this alarm.
struct TimeBound {
    explicit TimeBound(unsigned seconds) { ::alarm(seconds); }
    ~TimeBound() { ::alarm(0); }
};

QByteArray pngOf(int side, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(side, side, format);
    image.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void appendLittleEndian(QByteArray& bytes, std::uint32_t value, int size)
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

QByteArray iconFile(const std::vector<ListedEntry>& entries, const std::vector<QByteArray>& pictures)
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

QList<QSize> sizesOf(const QIcon& icon)
{
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    return sizes;
}

TEST(IconFile, OnlyEntriesThatAreWhatTheirListSaysAreDecoded)
{
    // 16 and 32 are honest (the 32 twice, in two depths); the 48 is a
    // 300 px picture and the 256 a 64 px one.
    const QByteArray icon = iconFile({{32, 8, 1}, {16, 32, 0}, {32, 32, 1}, {48, 32, 2}, {256, 32, 3}},
                                     {pngOf(16), pngOf(32), pngOf(300), pngOf(64)});
    EXPECT_EQ(iconEntriesToDecode(icon), (std::vector<int>{1, 2}));
    EXPECT_EQ(sizesOf(iconFromBytes(icon)), (QList<QSize>{{16, 16}, {32, 32}}));
}

TEST(IconFile, TwoHundredEntriesOfOneHugePictureDecodeNothing)
{
    const QByteArray huge = pngOf(4000, QImage::Format_Mono);
    std::vector<ListedEntry> entries(200, ListedEntry{256, 32, 0});
    TimeBound bound(20);
    EXPECT_TRUE(iconFromBytes(iconFile(entries, {huge})).isNull());
}

TEST(IconFile, ManySizesStayWithinTheBudget)
{
    std::vector<ListedEntry> entries;
    std::vector<QByteArray> pictures;
    for (const int side : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256, 255, 254}) {
        entries.push_back({side, 32, static_cast<int>(pictures.size())});
        pictures.push_back(pngOf(side));
    }
    const QByteArray icon = iconFile(entries, pictures);
    std::int64_t pixels = 0;
    for (const int index : iconEntriesToDecode(icon))
        pixels += std::int64_t{entries[index].listedSide} * entries[index].listedSide;
    const QList<QSize> sizes = sizesOf(iconFromBytes(icon));
    EXPECT_EQ(sizes.size(), static_cast<qsizetype>(iconEntriesToDecode(icon).size()));
    EXPECT_LE(sizes.size(), maxIconSizes);
    EXPECT_LE(pixels, iconPixelBudget);
    EXPECT_EQ(sizes.front(), QSize(16, 16));
}

TEST(IconFile, IsDecodedOncePerRun)
{
    TempFolder folder;
    folder.write("game.ico", iconFile({{32, 32, 0}}, {pngOf(32)}).toStdString());
    IconFiles icons{Folder::open(folder.path())};
    const qint64 first = icons.icon("game.ico").cacheKey();
    folder.write("game.ico", "no longer an icon");
    EXPECT_EQ(icons.icon("game.ico").cacheKey(), first);
    EXPECT_FALSE(icons.icon("game.ico").isNull());
}

TEST(PictureFile, APictureFarLargerThanItsBoxIsNotDecoded)
{
    EXPECT_FALSE(pictureFromBytes(pngOf(57)).isNull());
    EXPECT_FALSE(pictureFromBytes(pngOf(maxPictureSide)).isNull());
    EXPECT_TRUE(pictureFromBytes(pngOf(maxPictureSide + 1, QImage::Format_Mono)).isNull());
}

TEST(HelpText, LinesLongerThanALaidOutPieceAreShownInPieces)
{
    EXPECT_EQ(inShownPieces("Arrows steer.\nP pauses."), "Arrows steer.\nP pauses.");
    const QString words = QString("berry ").repeated(2000);  // 12000 characters
    const QStringList pieces = inShownPieces(words).split('\n');
    ASSERT_EQ(pieces.size(), 3);
    EXPECT_EQ(pieces.join(QString()), words);
    for (const QString& piece : pieces) {
        EXPECT_LE(piece.size(), maxShownLineLength);
        EXPECT_TRUE(piece.isEmpty() || piece.endsWith(' ') || piece == pieces.last()) << "cut after a blank";
    }
}

TEST(HelpText, OneHugeLineOpensWithEveryCharacterInPiecesOfBoundedLength)
{
    TempFolder folder;
    const std::string line(1000 * 1000, 'w');
    folder.write("helpfile.bat", "\"" + line + "\"");
    testing::ExitingProgramEnd programEnd;
    TimeBound bound(20);
    HelpWindow window(programEnd);
    window.load(Folder::open(folder.path()));
    window.show();
    const QTextDocument* shown = window.findChild<QPlainTextEdit*>("Text1")->document();
    QString text;
    for (QTextBlock block = shown->begin(); block.isValid(); block = block.next()) {
        EXPECT_LE(block.length() - 1, maxShownLineLength);
        text += block.text();
    }
    EXPECT_EQ(text, QString::fromStdString(line));
}

}  // namespace
}  // namespace vermo
