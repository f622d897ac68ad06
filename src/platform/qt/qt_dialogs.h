// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "platform/dialogs.h"

class QDialog;
class QWidget;

namespace vermo {

// The game's modal boxes on Qt. Texts arrive as UTF-8. Every box belongs
// to the owner window (the main window): it is centred on it, brings it
// back if it was minimised, takes only the keys pressed for it (those of
// its first quarter second too, unless it comes while the player may be
// steering), and hands the keyboard back to it when it closes.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}

    // Runs before any box opens, so the player sees the state behind it.
    void setBeforeOpen(std::function<void()> beforeOpen) { beforeOpen_ = std::move(beforeOpen); }

    void message(const std::string& text, const std::string& title = {}) override;
    Answer askYesNo(const std::string& text, const std::string& title = {}) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;
    void setPlayerMayBeSteering(bool mayBe) override { playerMayBeSteering_ = mayBe; }

private:
    // takesText: the box takes typed letters and digits, even in a quiet
    // first quarter second.
    int run(QDialog& box, bool takesText = false);

    QWidget* owner_;
    std::function<void()> beforeOpen_;
    bool playerMayBeSteering_ = false;
};

}  // namespace vermo
