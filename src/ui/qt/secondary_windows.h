// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>

#include <functional>

#include "platform/folder.h"
#include "platform/qt/picture_files.h"
#include "platform/program_end.h"
#include "platform/secondary_windows.h"
#include "scores/qt/high_score_window.h"
#include "scores/score_file.h"
#include "ui/qt/help_window.h"

class QWidget;

namespace vermo {

// Loads the high-score and help windows on demand and shows them beside
// the main window. A window closed by the player is destroyed, so the next
// show loads it afresh; a show of an open window only brings it forward.
class QtSecondaryWindows : public QObject, public SecondaryWindows {
    Q_OBJECT
public:
    // files: where the help text lies; scores: where the high-score file
    // lies and the printed list is offered to be saved; icons: the game's
    // icon files. mainWindow may be null; when given, it owns the help
    // window. lastGoodTable gives the table the main window last read, for
    // a high-score file that has become unreadable.
    QtSecondaryWindows(Folder files, Folder scores, IconFiles& icons, QWidget* mainWindow,
                       ProgramEnd& programEnd, std::function<ScoreTable()> lastGoodTable);
    ~QtSecondaryWindows() override;

    void showHighScores() override;
    void showHelp() override;

    // Null while the window is not loaded.
    HighScoreWindow* highScoreWindow() const { return highScoreWindow_; }
    HelpWindow* helpWindow() const { return helpWindow_; }

private:
    Folder folder_;
    Folder scoreFolder_;
    IconFiles& icons_;
    QPointer<QWidget> mainWindow_;
    ProgramEnd& programEnd_;
    std::function<ScoreTable()> lastGoodTable_;
    QPointer<HighScoreWindow> highScoreWindow_;
    QPointer<HelpWindow> helpWindow_;

    HighScoreWindow* loadedHighScoreWindow();
    HelpWindow* loadedHelpWindow();
    void prepare(QWidget* window);
};

}  // namespace vermo
