#pragma once

#include <QMainWindow>
#include <QString>

#include <cstddef>

#include "platform/folder.h"

class QPlainTextEdit;

namespace vermo {

class ProgramEnd;

inline constexpr const char* helpFileName = "helpfile.bat";

// Help files are short; reading stops after this many bytes.
inline constexpr std::size_t maxHelpFileBytes = 1024 * 1024;

// The text box lays out a line the first time it comes into view, and a
// line without line breaks costs more the longer it is. A line longer than
// this many characters is therefore shown in pieces of at most this
// length, each starting a line of its own (after a blank where there is
// one), so even a file of one huge line opens at once.
inline constexpr int maxShownLineLength = 4096;
QString inShownPieces(const QString& text);

// The text the help window shows: the first field of the help file in the
// folder, or a short explanation of the game when the file gives nothing to
// show.
QString helpTextFromFile(const Folder& folder);

// frmhelp: shows the help text. Its File > Exit ends the whole game; its
// close box closes only this window.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(ProgramEnd& programEnd, QWidget* parent = nullptr);

    // Reads the folder's help file into Text1.
    void load(const Folder& folder);

protected:
    // Opens in the middle of the screen the first time it is shown.
    void showEvent(QShowEvent* event) override;

private:
    ProgramEnd& programEnd_;
    QPlainTextEdit* text1_ = nullptr;
    bool centred_ = false;
};

}  // namespace vermo
