// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>

#include "platform/folder.h"
#include "platform/qt/twips_layout.h"
#include "scores/score_file.h"

class QLabel;
class QPagedPaintDevice;

namespace vermo {

// frmhigh: the ten best results, best first, and a button that prints them.
// It keeps its own copy of the table, read when the window is loaded, and
// opens in the middle of the screen.
class HighScoreWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HighScoreWindow(QWidget* parent = nullptr);

    // Reads the high-score file of the game's folder into the window's own
    // table, sorts it and fills the rows. When the file cannot be read, the
    // table comes from lastGoodTable (or is the default table when there is
    // none).
    void load(const Folder& gameFolder, const std::function<ScoreTable()>& lastGoodTable);

    // Folder where the list is offered to be saved as a PDF file.
    void setSaveFolder(const std::filesystem::path& folder) { saveFolder_ = folder; }

private:
    // The window's table (listNames, listScores), entry 10 the best.
    ScoreTable list_ = ScoreTable::defaults();
    TwipsWindow twips_;
    QLabel* lblsubscore_ = nullptr;
    std::array<QLabel*, 11> lblnum_{};
    std::array<QLabel*, 11> lblname_{};
    std::array<QLabel*, 11> lblscore_{};
    std::filesystem::path saveFolder_;

    void fillRows();
    void placeColumns();
    // cmdprint: prints the list on the default printer, or offers a PDF
    // file when there is no printer or the job fails.
    void printList();
    bool printTo(QPagedPaintDevice& device);
    void offerPdf(const QString& question);
};

}  // namespace vermo
