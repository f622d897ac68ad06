// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "game/vermo_game.h"
#include "platform/clock_random.h"
#include "platform/game_folder.h"
#include "platform/qt/picture_files.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_program_end.h"
#include "platform/qt/qt_timer.h"
#include "platform/qt/qt_waiting.h"
#include "platform/qt/qt_window_frame.h"

class QAction;
class QLabel;

namespace vermo {

class PlayfieldWidget;
class ScaledClient;
class QtSecondaryWindows;
class WrappingButton;

// frmVermo: the game's window. It keeps no game state of its own; it hands
// every event to the game and then shows what the game's state says.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The game's folders as chosen at start: an installed game keeps its
    // files in one folder and the player's table in another.
    explicit MainWindow(GameFolders folders, QWidget* parent = nullptr);
    ~MainWindow() override;

    VermoGame& game() { return game_; }
    // The board: the playfield with the panel on it.
    PlayfieldWidget* playfield() const { return playfield_; }

    // Brings captions, the start button and the playfield up to date.
    void refreshFromModel();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct PanelLabel {
        QRect designTwips;
        const Label* control;
        QLabel* widget;
        std::string shown;
    };

    void buildPanel();
    void layOut(double dpi);
    void buildMenus();
    // Hands an arrow key or P to the game's key handler; false for other
    // keys and before the first game.
    bool takeGameKey(QKeyEvent* event);
    void showStartButton();

    GameFolders folders_;
    IconFiles icons_;
    QtTimer tmscoreupdate_{this, "tmscoreupdate"}, tmvermomove_{this, "tmvermomove"},
        tmshake_{this, "tmshake"}, tminvisible_{this, "tminvisible"};
    QtDialogs dialogs_;
    // Declared before the game, which keeps a way to it.
    WaitingShown waitingShown_{[this] { refreshFromModel(); }};
    ClockRandom random_;
    QtWindowFrame frame_;
    QtProgramEnd programEnd_;
    std::unique_ptr<QtSecondaryWindows> windows_;
    VermoGame game_;

    ScaledClient* client_ = nullptr;
    PlayfieldWidget* playfield_ = nullptr;
    WrappingButton* startButton_ = nullptr;
    QAction* highScoresAction_ = nullptr;
    QAction* helpFileAction_ = nullptr;
    QAction* fullScreenAction_ = nullptr;
    std::vector<PanelLabel> labels_;
    std::string shownCaption_, shownButtonCaption_;
};

}  // namespace vermo
