// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace vermo {

// Keys meant for the worm reach it, whichever of the game's windows has
// the keyboard. Watches the whole application while it lives.
// - While a game runs, Alt pressed alone in the main window does not take
//   the keyboard into the menu bar, where the arrows would walk the menus
//   while the worm runs into a wall. The menus stay reachable by mouse,
//   F1, F2, and by Alt after P. P pressed there resumes the game and
//   leaves the menu bar, so the arrows that follow steer again (D-33).
// - While a game is on, P and (unless the game is paused) the arrows
//   pressed in the help or high-score window go to the game. A compositor
//   that cannot hand the keyboard back to the main window after a box
//   leaves it with whichever of those windows stands on top (D-34).
class GameKeyRouter : public QObject {
public:
    struct Game {
        // A game has started (the start button is gone).
        std::function<bool()> isOn;
        std::function<bool()> isPaused;
        // Hands a key to the main window's key handler.
        std::function<void(QKeyEvent*)> takeKey;
        // The other windows of the game, null while not loaded.
        std::function<QWidget*()> helpWindow, highScoreWindow;
    };

    GameKeyRouter(QWidget* mainWindow, Game game);
    ~GameKeyRouter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isLoneAltInMainWindow(QWidget* target, const QKeyEvent* key) const;
    bool isGameKeyInOtherWindow(QWidget* target, const QKeyEvent* key) const;
    bool isGameKeyInMenuBar(QWidget* target, const QKeyEvent* key) const;
    static void leaveMenuBar(QWidget* menuBar);

    QWidget* mainWindow_;
    Game game_;
};

}  // namespace vermo
