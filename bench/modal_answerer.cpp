// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_answerer.h"

#include <QDialog>
#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace vermo::bench {

ModalAnswerer::ModalAnswerer(QString speed, std::function<void(const QString&)> unexpected)
    : speed_(std::move(speed)), unexpected_(std::move(unexpected))
{
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isModal()) {
            // Answer from inside the box's own event loop, once it runs.
            QPointer<QDialog> box(dialog);
            QTimer::singleShot(0, this, [this, box] {
                if (box)
                    answer(box);
            });
        }
    }
    return false;
}

void ModalAnswerer::answer(QObject* box)
{
    ++answered_;
    auto unexpected = [this](const QString& what) {
        if (unexpected_)
            unexpected_(what);
    };
    if (auto* input = qobject_cast<QInputDialog*>(box)) {
        const QString prompt = input->labelText();
        const bool speedPrompt = prompt.contains(QStringLiteral("Speed"));
        if (speedPrompt)
            ++speedPrompts_;
        else if (prompt.contains(QStringLiteral("High Score")))
            ++namePrompts_;
        else
            unexpected(QStringLiteral("prompt: ") + prompt);
        input->setTextValue(speedPrompt ? speed_ : QStringLiteral("Autopilot"));
        input->accept();
        return;
    }
    if (auto* message = qobject_cast<QMessageBox*>(box)) {
        if (QAbstractButton* yes = message->button(QMessageBox::Yes)) {
            if (message->text() != QStringLiteral("New Game?"))
                unexpected(QStringLiteral("question: ") + message->text());
            ++gameOvers_;
            yes->click();
        } else {
            unexpected(QStringLiteral("message box: ") + message->text());
            if (QAbstractButton* ok = message->button(QMessageBox::Ok))
                ok->click();
            else
                message->accept();
        }
        return;
    }
    unexpected(QStringLiteral("box"));
    if (auto* dialog = qobject_cast<QDialog*>(box))
        dialog->accept();
}

}  // namespace vermo::bench
