#pragma once

#include <QMainWindow>
#include <QString>

#include <cstddef>
#include <filesystem>

class QPlainTextEdit;

namespace vermo {

class ProgramEnd;

inline constexpr const char* helpFileName = "helpfile.bat";

// Help files are short; reading stops after this many bytes.
inline constexpr std::size_t maxHelpFileBytes = 1024 * 1024;

// The text the help window shows: the first field of the help file, or a
// short explanation of the game when the file gives nothing to show.
QString helpTextFromFile(const std::filesystem::path& helpFile);

// frmhelp: shows the help text. Its File > Exit ends the whole game; its
// close box closes only this window.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(ProgramEnd& programEnd, QWidget* parent = nullptr);

    // Reads the help file into Text1.
    void load(const std::filesystem::path& helpFile);

protected:
    // Opens in the middle of the screen the first time it is shown.
    void showEvent(QShowEvent* event) override;

private:
    ProgramEnd& programEnd_;
    QPlainTextEdit* text1_ = nullptr;
    bool centred_ = false;
};

}  // namespace vermo
