// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QString>

#include <cstddef>

#include "platform/folder.h"

class QPlainTextEdit;

namespace vermo {

class ProgramEnd;

// Help files are short; reading stops after this many bytes.
inline constexpr std::size_t maxHelpFileBytes = 1024 * 1024;

// The text box keeps each of its blocks whole and lays one out the first
// time it comes into view; a block costs memory however short it is, and
// time that grows with the square of its length when it holds no blank or
// many characters of no width.
// So the help text is handed to the box in blocks of at most this many
// characters: short lines share a block (each still on a line of its own),
// and a line longer than this is shown in pieces that each start a line,
// cut after a blank where there is one. Even a file of one huge line, or
// of nothing but line breaks, opens at once, every character shown (D-19).
inline constexpr int maxBlockLength = 512;
QString inLaidOutBlocks(const QString& text);

// The text the help window shows: the first field of the help file in the
// folder, or a short explanation of the game when the file gives nothing to
// show.
QString helpTextFromFile(const Folder& folder);

// frmhelp: shows the help text, in the middle of the screen when it opens.
// Its File > Exit ends the whole game; its close box closes only this window.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(ProgramEnd& programEnd, QWidget* parent = nullptr);

    // Reads the folder's help file into Text1.
    void load(const Folder& folder);

private:
    ProgramEnd& programEnd_;
    QPlainTextEdit* text1_ = nullptr;
};

}  // namespace vermo
