// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/folder.h"
#include "scores/score_file.h"

class QLabel;
class QPagedPaintDevice;
class QPushButton;

namespace vermo {

// What printing asks of the player and of the system. Each can be replaced,
// so the way without a printer can be walked through in a test.
struct PrintChoices {
    std::function<bool()> printerAvailable;
    // A Yes/No question; true for Yes.
    std::function<bool(const QString& question)> askYesNo;
    // A file name to save the list as; empty when the player cancels.
    std::function<QString(const QString& suggestedPath)> askSaveFileName;
    std::function<void(const QString& message)> tell;
};

// frmhigh: the ten best results, best first, and a button that prints them.
// It keeps its own copy of the table, read when the window is loaded.
class HighScoreWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HighScoreWindow(QWidget* parent = nullptr);

    // Reads the high-score file of the game's folder into the window's own
    // table, sorts it and fills the rows. When the file cannot be read, the
    // table comes from lastGoodTable (or is the default table when there is
    // none).
    void load(const Folder& gameFolder, const std::function<ScoreTable()>& lastGoodTable);

    // The window's table, entry 10 the best.
    const std::string& listNames(int entry) const { return list_.names.at(entry); }
    std::int32_t listScores(int entry) const { return list_.scores.at(entry); }

    // Folder where the list is offered to be saved as a PDF file.
    void setSaveFolder(const std::filesystem::path& folder) { saveFolder_ = folder; }
    PrintChoices& printChoices() { return printChoices_; }

    // cmdprint: prints the list on the default printer, or offers a PDF
    // file when there is no printer or the job fails.
    void printList();

protected:
    // Opens in the middle of the screen the first time it is shown.
    void showEvent(QShowEvent* event) override;

private:
    ScoreTable list_ = ScoreTable::defaults();
    std::array<QLabel*, 11> lblname_{};
    std::array<QLabel*, 11> lblscore_{};
    QPushButton* cmdprint_ = nullptr;
    std::filesystem::path saveFolder_;
    PrintChoices printChoices_;
    bool centred_ = false;

    void buildLayout();
    void fillRows();
    bool printTo(QPagedPaintDevice& device);
    void offerPdf(const QString& question);
};

}  // namespace vermo
