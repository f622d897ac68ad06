// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/help_window.h"

#include <QPlainTextEdit>

#include <cstddef>
#include <string>

#include "platform/data_files.h"
#include "game/board.h"
#include "platform/program_end.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/twips_layout.h"
#include "platform/text_fields.h"
#include "platform/qt/units.h"

namespace vermo {

namespace {

// Help files are short; reading stops after this many bytes.
constexpr std::size_t maxHelpFileBytes = 1024 * 1024;
const char* const howToPlay =
    "Steer the worm with the arrow keys, eat the berries and keep away from the walls, "
    "your own body and the poison. P pauses the game.";
const std::string helpFileIs = std::string("The help file ") + dataFiles::help;
const std::string missingHelpFile = helpFileIs + " could not be read. ";
const std::string emptyHelpFile = helpFileIs + " is empty. ";
const std::string emptyFirstField =
    helpFileIs + " begins with an empty field, and only its first field is shown. ";

// The first field of the help file in the folder. A missing, unreadable or
// empty help file would leave the player with an empty box; a few words on
// how to play are better than nothing.
QString helpTextFromFile(const Folder& folder)
{
    const FileRead file = folder.readThroughLinks(dataFiles::help, maxHelpFileBytes);
    if (!file.read())
        return QString::fromStdString(missingHelpFile) + QString::fromLatin1(howToPlay);
    // Blanks and line breaks alone show nothing either.
    const auto holdsText = [](const std::string& bytes) {
        return bytes.find_first_not_of(" \t\r\n") != std::string::npos;
    };
    FieldReader reader(file.bytes);
    const std::optional<std::string> field = reader.readText();
    if (field && holdsText(*field))
        return withPlainLineBreaks(textFromFileBytes(*field));
    return QString::fromStdString(holdsText(file.bytes) ? emptyFirstField : emptyHelpFile)
           + QString::fromLatin1(howToPlay);
}

}  // namespace

QString inLaidOutBlocks(const QString& text)
{
    QString shown;
    shown.reserve(text.size() + text.size() / maxBlockLength + 1);
    qsizetype blockLength = 0;
    qsizetype lineStart = 0;
    bool firstLine = true;
    for (;;) {
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        qsizetype pieceStart = lineStart;
        bool firstPiece = true;
        do {
            qsizetype length = lineEnd - pieceStart;
            if (length > maxBlockLength) {
                const QStringView piece = QStringView(text).mid(pieceStart, maxBlockLength);
                const qsizetype blank = piece.lastIndexOf(QLatin1Char(' '));
                length = blank > 0 ? blank + 1 : maxBlockLength;
                // Never between the two halves of one character.
                if (blank <= 0 && text.at(pieceStart + length - 1).isHighSurrogate())
                    --length;
            }
            if (!firstLine || !firstPiece) {
                // A line's own break stays within the block while the block
                // has room; a piece of a long line always starts a block.
                if (firstPiece && blockLength + 1 + length <= maxBlockLength) {
                    shown += QChar(QChar::LineSeparator);
                    ++blockLength;
                } else {
                    shown += QLatin1Char('\n');
                    blockLength = 0;
                }
            }
            shown += QStringView(text).mid(pieceStart, length);
            blockLength += length;
            pieceStart += length;
            firstPiece = false;
            firstLine = false;
        } while (pieceStart < lineEnd);
        if (lineEnd == text.size())
            return shown;
        lineStart = lineEnd + 1;
    }
}

HelpWindow::HelpWindow(ProgramEnd& programEnd, QWidget* parent)
    : QMainWindow(parent), programEnd_(programEnd)
{
    setWindowTitle(QStringLiteral("Help"));

    const TwipsWindow twips = layOutUnderFileMenu(*this, QSize(5640, 3375),
                                                  units::colorFromBgr(colors::helpTeal),
                                                  [this] { programEnd_.endNow(); });
    text1_ = new QPlainTextEdit(twips.client);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(twips.rect(120, 120, 5415, 3135));
    text1_->setReadOnly(true);
    text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1_->setFont(twips.font(8.25, false));
}

void HelpWindow::load(const Folder& folder)
{
    text1_->setPlainText(inLaidOutBlocks(helpTextFromFile(folder)));
}

}  // namespace vermo
