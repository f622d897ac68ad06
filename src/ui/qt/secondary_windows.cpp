// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/secondary_windows.h"

#include <QDir>
#include <QWidget>

#include "platform/data_files.h"
#include "platform/qt/picture_files.h"
#include "platform/qt/window_focus.h"
#include "scores/qt/high_score_window.h"
#include "ui/qt/help_window.h"

namespace vermo {

namespace {

// A window the player closes is gone; the next show loads it afresh.
void destroyOnClose(QWidget* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
}

// Each window takes its icon from the icon file, decoded once for all of
// them; with no icon to be had it keeps the desktop's own.
void giveIcon(QWidget* window, const QIcon& icon)
{
    if (!icon.isNull())
        window->setWindowIcon(icon);
}

void bringForward(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

QtSecondaryWindows::QtSecondaryWindows(Folder files, IconFiles& icons, QWidget* mainWindow,
                                       ProgramEnd& programEnd,
                                       std::function<ScoreTable()> lastGoodTable, QObject* parent)
    : QObject(parent),
      folder_(files),
      scoreFolder_(std::move(files)),
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
    // A window of its own, not one of the main window's: the print boxes
    // it opens are modal to it, and Qt would block the whole family of
    // windows it belongs to, the game's among them. It goes with this
    // object.
    auto* window = new HighScoreWindow(nullptr);
    destroyOnClose(window);
    keyboardBackWhenClosed(window);
    // Without a folder for the table, the list is offered to the home folder.
    window->setSaveFolder(scoreFolder_.isOpen() ? scoreFolder_.path()
                                                : std::filesystem::path(QDir::homePath().toStdString()));
    highScoreWindow_ = window;
    giveIcon(window, icons_.icon(dataFiles::icon));
    window->load(scoreFolder_, lastGoodTable_);
    return window;
}

HelpWindow* QtSecondaryWindows::loadedHelpWindow()
{
    if (helpWindow_)
        return helpWindow_;
    auto* window = new HelpWindow(programEnd_, mainWindow_);
    destroyOnClose(window);
    keyboardBackWhenClosed(window);
    helpWindow_ = window;
    giveIcon(window, icons_.icon(dataFiles::icon));
    window->load(folder_);
    return window;
}

// The game goes on behind these windows; once one is closed, the arrows
// steer again without a click.
void QtSecondaryWindows::keyboardBackWhenClosed(QWidget* window)
{
    connect(window, &QObject::destroyed, this, [this] { giveKeyboardBack(mainWindow_.data()); });
}

HighScoreWindow* QtSecondaryWindows::highScoreWindow() const
{
    return highScoreWindow_;
}

HelpWindow* QtSecondaryWindows::helpWindow() const
{
    return helpWindow_;
}

}  // namespace vermo
