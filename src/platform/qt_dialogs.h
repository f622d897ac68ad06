#pragma once

#include <QMessageBox>
#include <functional>

#include "platform/dialogs.h"

class QWidget;

namespace vermo {

// The "New Game?" kind of question: Yes or No and no other way out.
// QMessageBox would otherwise take Esc and the close box as No.
class YesNoBox : public QMessageBox {
public:
    explicit YesNoBox(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// The game's modal boxes on Qt. Texts arrive as UTF-8.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent);

    // Runs before any box opens, so the player sees the state behind it.
    void setBeforeOpen(std::function<void()> beforeOpen) { beforeOpen_ = std::move(beforeOpen); }

    void message(const std::string& text, const std::string& title = {}) override;
    Answer askYesNo(const std::string& text, const std::string& title = {}) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;

private:
    void prepare();

    QWidget* parent_;
    std::function<void()> beforeOpen_;
};

}  // namespace vermo
