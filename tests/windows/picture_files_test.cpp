// SPDX-License-Identifier: GPL-3.0-or-later
// No picture, icon or help file can make the game decode or lay out more
// than a little: what a file claims is checked before the work is done.
#include <gtest/gtest.h>

#include <QImage>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <csignal>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "platform/qt/picture_files.h"
#include "support/crafted_icon.h"
#include "support/temp_folder.h"
#include "ui/qt/help_window.h"
#include "windows/window_test_support.h"

namespace vermo {
namespace {

using testing::TempFolder;
using testing::appendLittleEndian;
using testing::iconFile;
using testing::ListedEntry;
using testing::pngOf;

// A file built to stall the game would end the test by this alarm.
struct TimeBound {
    explicit TimeBound(unsigned seconds) { ::alarm(seconds); }
    ~TimeBound() { ::alarm(0); }
};

// A bitmap entry of an icon file: its header, 32-bit pixels and the mask,
// or the header alone (claiming a size it does not hold).
QByteArray dibOf(int side, bool headerOnly = false)
{
    QByteArray bytes;
    for (const std::uint32_t field : {40u, static_cast<std::uint32_t>(side),
                                      static_cast<std::uint32_t>(2 * side)})
        appendLittleEndian(bytes, field, 4);
    appendLittleEndian(bytes, 1, 2);   // planes
    appendLittleEndian(bytes, 32, 2);  // bits per pixel
    for (int field = 0; field < 6; ++field)
        appendLittleEndian(bytes, 0, 4);
    if (!headerOnly) {
        bytes.append(QByteArray(side * side * 4, '\x7f'));
        bytes.append(QByteArray((side + 31) / 32 * 4 * side, '\0'));
    }
    return bytes;
}

QList<QSize> sizesOf(const QIcon& icon)
{
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    return sizes;
}

TEST(IconFile, OnlyBitmapEntriesThatAreWhatTheirListSaysAreDecoded)
{
    // 16 and 32 are honest (the 32 twice, in two depths); the 48 is a
    // 300 px picture, the 64 claims 4000 px, and the 128 is a PNG.
    const QByteArray icon =
        iconFile({{32, 8, 1}, {16, 32, 0}, {32, 32, 1}, {48, 32, 2}, {64, 32, 3}, {128, 32, 4}},
                 {dibOf(16), dibOf(32), dibOf(300), dibOf(4000, true), pngOf(128)});
    EXPECT_EQ(sizesOf(iconFromBytes(icon)), (QList<QSize>{{16, 16}, {32, 32}}));
}

TEST(IconFile, TwoHundredEntriesOfOneHugePictureDecodeNothing)
{
    for (const QByteArray& huge : {pngOf(4000, QImage::Format_Mono), dibOf(4000, true)}) {
        std::vector<ListedEntry> entries(200, ListedEntry{256, 32, 0});
        TimeBound bound(20);
        const QByteArray icon = iconFile(entries, {huge});
        EXPECT_TRUE(iconFromBytes(icon).isNull());
    }
}

TEST(IconFile, ManySizesStayWithinTheBudget)
{
    std::vector<ListedEntry> entries;
    std::vector<QByteArray> pictures;
    for (const int side : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256, 255, 254}) {
        entries.push_back({side, 32, static_cast<int>(pictures.size())});
        pictures.push_back(dibOf(side));
    }
    const QByteArray icon = iconFile(entries, pictures);
    const QList<QSize> sizes = sizesOf(iconFromBytes(icon));
    std::int64_t pixels = 0;
    for (const QSize& size : sizes)
        pixels += std::int64_t{size.width()} * size.height();
    EXPECT_LE(sizes.size(), maxIconSizes);
    EXPECT_LE(pixels, iconPixelBudget);
    EXPECT_EQ(sizes.front(), QSize(16, 16));
}

TEST(IconFile, IsDecodedOncePerRun)
{
    TempFolder folder;
    folder.write("game.ico", iconFile({{32, 32, 0}}, {dibOf(32)}).toStdString());
    IconFiles icons{Folder::open(folder.path())};
    const qint64 first = icons.icon("game.ico").cacheKey();
    folder.write("game.ico", "no longer an icon");
    EXPECT_EQ(icons.icon("game.ico").cacheKey(), first);
    EXPECT_FALSE(icons.icon("game.ico").isNull());
}

// The header of a GIF file claiming a size, with nothing after it.
QByteArray gifHeaderOf(int side)
{
    QByteArray bytes("GIF89a");
    appendLittleEndian(bytes, static_cast<std::uint32_t>(side), 2);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(side), 2);
    bytes.append('\0').append('\0').append('\0');
    return bytes;
}

TEST(PictureFile, OnlyGifPicturesOfAModestSizeAreDecoded)
{
    const QImage head = pictureFromFile(Folder::open(VERMO_ASSETS), "vermou.gif");
    EXPECT_FALSE(head.isNull());
    EXPECT_TRUE(pictureFromBytes(gifHeaderOf(maxPictureSide + 1)).isNull());
    EXPECT_TRUE(pictureFromBytes(gifHeaderOf(60000)).isNull());
    // A picture in another format is not tried, however small.
    EXPECT_TRUE(pictureFromBytes(pngOf(57)).isNull());
}

TEST(HelpText, ShortLinesShareABlockAndLongLinesArePiecesOfBoundedLength)
{
    const QChar nextLine(QChar::LineSeparator);
    EXPECT_EQ(inLaidOutBlocks("Arrows steer.\n\nP pauses."),
              QString("Arrows steer.") + nextLine + nextLine + "P pauses.");
    const QString words = QString("berry ").repeated(2000);  // 12000 characters
    const QStringList pieces = inLaidOutBlocks(words).split('\n');
    EXPECT_EQ(pieces.join(QString()), words);
    EXPECT_GE(pieces.size(), 12000 / maxBlockLength);
    for (const QString& piece : pieces) {
        EXPECT_LE(piece.size(), maxBlockLength);
        EXPECT_TRUE(piece.endsWith(' ')) << "cut after a blank";
    }
    // A character made of two halves is never cut in two.
    const QString faces = "a" + QString::fromUtf8("\xF0\x9F\x98\x80").repeated(3000);
    for (const QString& piece : inLaidOutBlocks(faces).split('\n'))
        EXPECT_FALSE(piece.back().isHighSurrogate());
}

// A file of one huge line, and one of nothing but line breaks: the window
// opens with every character, in few blocks of bounded length.
TEST(HelpText, HugeHelpFilesOpenWhole)
{
    for (const std::string& field : {std::string(1000 * 1000, 'w'), std::string(500 * 1000, '\n')}) {
        TempFolder folder;
        folder.write("helpfile.bat", "\"" + field + "x\"");
        testing::ExitingProgramEnd programEnd;
        TimeBound bound(20);
        HelpWindow window(programEnd);
        window.load(Folder::open(folder.path()));
        window.show();
        const QPlainTextEdit* text1 = window.findChild<QPlainTextEdit*>("Text1");
        const QTextDocument* shown = text1->document();
        EXPECT_LE(shown->blockCount(), 2 * (field.size() / maxBlockLength + 1));
        for (QTextBlock block = shown->begin(); block.isValid(); block = block.next())
            EXPECT_LE(block.length() - 1, maxBlockLength);
        const QString expected = QString::fromStdString(field + "x");
        if (field[0] == '\n')
            EXPECT_EQ(text1->toPlainText(), expected);
        else
            EXPECT_EQ(text1->toPlainText().remove('\n'), expected);
    }
}

}  // namespace
}  // namespace vermo
