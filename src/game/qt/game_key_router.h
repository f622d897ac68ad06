// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace vermo {

// Keys meant for the worm reach it, whichever of the game's windows has
// the keyboard: while a game runs, Alt alone in the main window leaves the
// arrows with the worm and P in the menu bar resumes the game (D-33); P and
// the arrows pressed in the help or high-score window go to the game
// (D-34). Watches the whole application while it lives.
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
    bool isGameKey(const QKeyEvent* key) const;
    bool isLoneAltInMainWindow(QWidget* target, const QKeyEvent* key) const;
    bool isGameKeyInOtherWindow(QWidget* target, const QKeyEvent* key) const;
    bool isGameKeyInMenuBar(QWidget* target, const QKeyEvent* key) const;

    QWidget* mainWindow_;
    Game game_;
};

}  // namespace vermo
