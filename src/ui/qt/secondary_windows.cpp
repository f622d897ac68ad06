// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/secondary_windows.h"

#include <QDir>
#include <QWidget>

#include "platform/data_files.h"
#include "platform/qt/picture_files.h"
#include "platform/qt/window_focus.h"

namespace vermo {

namespace {

void bringForward(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

QtSecondaryWindows::QtSecondaryWindows(Folder files, Folder scores, IconFiles& icons,
                                       QWidget* mainWindow, ProgramEnd& programEnd,
                                       std::function<ScoreTable()> lastGoodTable)
    : folder_(std::move(files)),
      scoreFolder_(std::move(scores)),
      icons_(icons),
      mainWindow_(mainWindow),
      programEnd_(programEnd),
      lastGoodTable_(std::move(lastGoodTable))
{
}

QtSecondaryWindows::~QtSecondaryWindows()
{
    delete helpWindow_.data();
    delete highScoreWindow_.data();
}

void QtSecondaryWindows::showHighScores()
{
    bringForward(loadedHighScoreWindow());
}

void QtSecondaryWindows::showHelp()
{
    bringForward(loadedHelpWindow());
}

HighScoreWindow* QtSecondaryWindows::loadedHighScoreWindow()
{
    if (highScoreWindow_)
        return highScoreWindow_;
    // A window of its own, not one of the main window's, so that its print
    // boxes block it alone (D-68); it goes with this object.
    auto* window = new HighScoreWindow(nullptr);
    prepare(window);
    // Without a folder for the table, the list is offered to the home folder.
    window->setSaveFolder(scoreFolder_.isOpen() ? scoreFolder_.path()
                                                : std::filesystem::path(QDir::homePath().toStdString()));
    highScoreWindow_ = window;
    window->load(scoreFolder_, lastGoodTable_);
    return window;
}

HelpWindow* QtSecondaryWindows::loadedHelpWindow()
{
    if (helpWindow_)
        return helpWindow_;
    auto* window = new HelpWindow(programEnd_, mainWindow_);
    prepare(window);
    helpWindow_ = window;
    window->load(folder_);
    return window;
}

// The game goes on behind these windows; once one is closed, the arrows
// steer again without a click. Each takes its icon from the icon file,
// decoded once for all of them, or keeps the desktop's own.
void QtSecondaryWindows::prepare(QWidget* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QObject::destroyed, this, [this] { giveKeyboardBack(mainWindow_.data()); });
    const QIcon icon = icons_.icon(dataFiles::icon);
    if (!icon.isNull())
        window->setWindowIcon(icon);
}

}  // namespace vermo
