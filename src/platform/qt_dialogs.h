// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <functional>

#include "platform/dialogs.h"

class QDialog;
class QWidget;

namespace vermo {

// The "New Game?" kind of question: Yes or No and no other way out.
// QMessageBox would otherwise take Esc and the close box as No. The arrow
// keys do not move the choice, and Return always means Yes: a player
// still steering when the question comes up must not end the program by
// accident. Y, N, Alt+Y, Alt+N, Tab with Space and the mouse work as usual.
class YesNoBox : public QMessageBox {
public:
    explicit YesNoBox(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The game's modal boxes on Qt. Texts arrive as UTF-8. Every box belongs
// to the owner window (the main window): it is centred on it, brings it
// back if it was minimised, takes only the keys pressed for it, and hands
// the keyboard back to it when it closes.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner);

    // Runs before any box opens, so the player sees the state behind it.
    void setBeforeOpen(std::function<void()> beforeOpen) { beforeOpen_ = std::move(beforeOpen); }

    void message(const std::string& text, const std::string& title = {}) override;
    Answer askYesNo(const std::string& text, const std::string& title = {}) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;

private:
    void prepare();
    int run(QDialog& box);

    QWidget* owner_;
    std::function<void()> beforeOpen_;
};

}  // namespace vermo
