#include "platform/qt_dialogs.h"

#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace vermo {

namespace {

QString boxTitle(const std::string& title)
{
    return QString::fromUtf8(title.empty() ? Dialogs::applicationTitle : title.c_str());
}

// The game writes its line breaks as CR LF; a label wants LF alone.
QString boxText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace

YesNoBox::YesNoBox(QWidget* parent) : QMessageBox(parent)
{
    setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    setDefaultButton(QMessageBox::Yes);
}

void YesNoBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void YesNoBox::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {}

void QtDialogs::prepare()
{
    if (beforeOpen_)
        beforeOpen_();
}

void QtDialogs::message(const std::string& text, const std::string& title)
{
    prepare();
    QMessageBox box(parent_);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(boxTitle(title));
    box.setText(boxText(text));
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

Answer QtDialogs::askYesNo(const std::string& text, const std::string& title)
{
    prepare();
    YesNoBox box(parent_);
    box.setWindowTitle(boxTitle(title));
    box.setText(boxText(text));
    box.setTextFormat(Qt::PlainText);
    box.exec();
    // The box only closes through its two buttons; should the event loop
    // be torn down under it (the application quitting), that counts as No.
    return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText)
{
    prepare();
    QInputDialog box(parent_);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(boxTitle(title));
    box.setLabelText(boxText(prompt));
    box.setTextValue(QString::fromStdString(defaultText));
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue().toStdString();
}

}  // namespace vermo
