// SPDX-License-Identifier: GPL-3.0-or-later
// Loaded into the installed game by the install checks (LD_PRELOAD), so
// they see its boxes without a person: every message box is answered with
// its OK (or default) button, and its text written to the error output as
// one line "box: <text>".
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

void answerEveryBox()
{
    auto* answerer = new QTimer(QCoreApplication::instance());
    QObject::connect(answerer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        QAbstractButton* button = box->button(QMessageBox::Ok);
        if (button == nullptr)
            button = box->defaultButton();
        if (button == nullptr && !box->buttons().isEmpty())
            button = box->buttons().first();
        std::fprintf(stderr, "box: %s\n", box->text().simplified().toUtf8().constData());
        std::fflush(stderr);
        if (button != nullptr)
            button->click();
    });
    answerer->start(20);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(answerEveryBox)
