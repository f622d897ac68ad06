// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/qt/text_codec.h"

namespace vermo {
namespace {

TEST(TextCodec, ReadsUtf8AndFallsBackToLatin1ForOtherBytes)
{
    EXPECT_EQ(textFromFileBytes("Computer"), QStringLiteral("Computer"));
    EXPECT_EQ(textFromFileBytes(""), QString());
    // "Jürgen" as the game writes it, and as a single-byte code page has it.
    EXPECT_EQ(textFromFileBytes("J\xC3\xBCrgen"), QString::fromUtf8("J\xC3\xBCrgen"));
    EXPECT_EQ(textFromFileBytes("J\xFCrgen"), QString::fromUtf8("J\xC3\xBCrgen"));
    // A lone lead byte at the end is not UTF-8: every byte still shows.
    EXPECT_EQ(textFromFileBytes("Ren\xC3"), QString::fromUtf8("Ren\xC3\x83"));
    EXPECT_EQ(textFromFileBytes("\xA9 2004"), QString::fromUtf8("\xC2\xA9 2004"));
}

TEST(TextCodec, Utf8ReadsBackUnchanged)
{
    const QString names[] = {QStringLiteral("Ana"), QString::fromUtf8("Ren\xC3\xA9" "e \xC3\x98ster"),
                             QString::fromUtf8("\xE5\xA4\xAA\xE9\x83\x8E"), QString()};
    for (const QString& name : names)
        EXPECT_EQ(textFromFileBytes(name.toStdString()), name);
}

// A hand-made file may hold names of tens of thousands of characters; the
// labels and the printout lay out no more than a line's worth of them.
TEST(TextCodec, LongNamesAreShownCutWithAnEllipsis)
{
    EXPECT_EQ(shownTextFromFileBytes("Ann"), QStringLiteral("Ann"));
    const QString cut = shownTextFromFileBytes(std::string(100000, 'x'));
    EXPECT_EQ(cut.size(), maxShownTextLength);
    EXPECT_EQ(cut, QString(maxShownTextLength - 1, 'x') + QChar(0x2026));
    // A character made of two halves is never cut in two, wherever the cut
    // falls: on the first half or between two characters.
    for (const std::string lead : {"", "a"}) {
        std::string faces = lead;
        for (int i = 0; i < 1000; ++i)
            faces += "\xF0\x9F\x98\x80";
        const QString cutFaces = shownTextFromFileBytes(faces);
        EXPECT_TRUE(cutFaces.isValidUtf16()) << "lead \"" << lead << "\"";
        EXPECT_LE(cutFaces.size(), maxShownTextLength);
        EXPECT_TRUE(cutFaces.endsWith(QChar(0x2026)));
    }
}

}  // namespace
}  // namespace vermo
