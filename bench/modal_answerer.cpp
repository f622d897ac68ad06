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

ModalAnswerer::ModalAnswerer(QString speed) : speed_(std::move(speed)) {}

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
    if (auto* input = qobject_cast<QInputDialog*>(box)) {
        const bool speedPrompt = input->labelText().contains(QStringLiteral("Speed"));
        input->setTextValue(speedPrompt ? speed_ : QStringLiteral("Autopilot"));
        input->accept();
        return;
    }
    if (auto* message = qobject_cast<QMessageBox*>(box)) {
        if (QAbstractButton* yes = message->button(QMessageBox::Yes)) {
            ++gameOvers_;
            yes->click();
        } else if (QAbstractButton* ok = message->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            message->accept();
        }
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(box))
        dialog->accept();
}

}  // namespace vermo::bench
