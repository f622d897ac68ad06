// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace vermo {

enum class Answer { Yes, No };

// The modal boxes of the game. A box shown without a title of its own
// carries the application title.
class Dialogs {
public:
    static constexpr const char* applicationTitle = "vermo";

    virtual ~Dialogs() = default;

    // A message with an OK button only.
    virtual void message(const std::string& text, const std::string& title = {}) = 0;

    // A question with Yes and No and no other way out.
    virtual Answer askYesNo(const std::string& text, const std::string& title = {}) = 0;

    // An input box; a cancelled box gives the empty text.
    virtual std::string input(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) = 0;

    // Whether the boxes asked for from now on come while the player may
    // still be steering (D-32); boxes that know nothing of keys ignore it.
    virtual void setPlayerMayBeSteering(bool mayBe) { (void)mayBe; }
};

// Marks the boxes asked for while it lives as coming while the player may
// still be steering.
class WhilePlayerMayBeSteering {
public:
    explicit WhilePlayerMayBeSteering(Dialogs& dialogs) : dialogs_(dialogs)
    {
        dialogs_.setPlayerMayBeSteering(true);
    }
    ~WhilePlayerMayBeSteering() { dialogs_.setPlayerMayBeSteering(false); }
    WhilePlayerMayBeSteering(const WhilePlayerMayBeSteering&) = delete;
    WhilePlayerMayBeSteering& operator=(const WhilePlayerMayBeSteering&) = delete;

private:
    Dialogs& dialogs_;
};

}  // namespace vermo
