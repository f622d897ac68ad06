// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_dialogs.h"

#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include "platform/qt/fresh_keys.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/window_focus.h"
#include "platform/qt/window_placement.h"

namespace vermo {

namespace {

QString boxTitle(const std::string& title)
{
    return QString::fromUtf8(title.empty() ? Dialogs::applicationTitle : title.c_str());
}

// The game writes its line breaks as CR LF; a label wants LF alone.
QString boxText(const std::string& text)
{
    return withPlainLineBreaks(QString::fromStdString(text));
}

QMessageBox& withText(QMessageBox& box, const std::string& text, const std::string& title)
{
    box.setWindowTitle(boxTitle(title));
    box.setText(boxText(text));
    box.setTextFormat(Qt::PlainText);
    return box;
}

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool isReturn(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// The "New Game?" kind of question (D-32): Yes or No and no other way out,
// where QMessageBox would take Esc and the close box as No. The arrow keys
// move nothing, so a player still steering cannot end the program by
// accident; Return presses the focused button, the only one drawn as default.
class YesNoBox : public QMessageBox {
public:
    explicit YesNoBox(QWidget* parent) : QMessageBox(parent)
    {
        setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // The box marks the default button itself, following the focus; Qt's
        // own rule would leave Yes marked beside a focused No.
        for (QAbstractButton* button : buttons()) {
            if (auto* push = qobject_cast<QPushButton*>(button))
                push->setAutoDefault(false);
            button->installEventFilter(this);
        }
        setDefaultButton(QMessageBox::Yes);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (isReturn(event->key()))
            returnButton()->click();
        else if (event->key() == Qt::Key_Escape)
            event->accept();
        else
            QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override { event->ignore(); }

    // The buttons hold the focus and would take the arrows, moving it.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            if (auto* push = qobject_cast<QPushButton*>(watched))
                setDefaultButton(push);
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (isArrow(key->key())) {
                key->accept();
                return true;
            }
            if (isReturn(key->key())) {
                returnButton()->click();
                return true;
            }
        }
        return QMessageBox::eventFilter(watched, event);
    }

private:
    // The button Return presses: the one with the focus, or Yes.
    QAbstractButton* returnButton() const
    {
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        return buttons().contains(focused) ? focused : button(QMessageBox::Yes);
    }
};

// Wide enough for its title and for a name of 30 characters (D-35). The
// box's layout follows its contents, so the text field carries the width.
void widenInputBox(QInputDialog& box)
{
    auto* field = box.findChild<QLineEdit*>();
    if (field == nullptr)
        return;
    // The window manager's title bar holds an icon and up to three buttons
    // (120 pixels) beside the title.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    int forTitle = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 120;
    // Qt's own title bar (Wayland) centres the title on the box's whole width
    // in a 14-pixel face, its three buttons (80 pixels) on the right: the
    // title needs that room on both sides.
    if (windowPlacementOfPlatform() == WindowPlacement::ByCompositor) {
        titleFont.setPixelSize(14);
        forTitle = std::max(forTitle,
                            QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 2 * 80);
    }
    // The box's margins (48 pixels) stand beside the field. Capital letters,
    // so that names of ordinary letters fit with room.
    const int forName = field->fontMetrics().horizontalAdvance(QString(30, QLatin1Char('X')));
    field->setMinimumWidth(std::max(forTitle - 48, forName));
}

}  // namespace

int QtDialogs::run(QDialog& box, bool takesText)
{
    if (beforeOpen_)
        beforeOpen_();
    // A game that ends while its window is minimised brings the window
    // back, so its question does not stand alone on the desktop.
    if (owner_ != nullptr && owner_->isMinimized())
        owner_->showNormal();
    box.adjustSize();
    keepCentredOnOwner(box, owner_);
    using Quiet = FreshKeysOnly::QuietStart;
    const Quiet quiet =
        !playerMayBeSteering_ ? Quiet::None : takesText ? Quiet::ExceptTyping : Quiet::AllKeys;
    FreshKeysOnly freshKeys(&box, quiet);
    const int result = box.exec();
    giveKeyboardBack(owner_);
    return result;
}

void QtDialogs::message(const std::string& text, const std::string& title)
{
    QMessageBox box(owner_);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    run(withText(box, text, title));
}

Answer QtDialogs::askYesNo(const std::string& text, const std::string& title)
{
    YesNoBox box(owner_);
    run(withText(box, text, title));
    // The box only closes through its two buttons; should the event loop
    // be torn down under it (the application quitting), that counts as No.
    return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText)
{
    QInputDialog box(owner_);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(boxTitle(title));
    box.setLabelText(boxText(prompt));
    box.setTextValue(QString::fromStdString(defaultText));
    widenInputBox(box);
    if (run(box, true) != QDialog::Accepted)
        return {};
    return box.textValue().toStdString();
}

}  // namespace vermo
