// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QString>

#include "platform/folder.h"

class QPlainTextEdit;

namespace vermo {

class ProgramEnd;

// The help text as it is handed to the text box: in blocks of at most
// maxBlockLength characters, short lines sharing a block and a longer line
// shown in pieces that each start a line, cut after a blank where there is
// one, so that even a file of one huge line opens at once (D-19).
inline constexpr int maxBlockLength = 512;
QString inLaidOutBlocks(const QString& text);

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
