#include "ui/help_window.h"

#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <string>

#include "platform/fixed_size_window.h"
#include "platform/plain_file.h"
#include "platform/program_end.h"
#include "platform/text_codec.h"
#include "platform/text_fields.h"
#include "platform/window_layout.h"

namespace vermo {

namespace {

const QColor darkTeal(0, 64, 64);

const char* const howToPlay =
    "Steer the worm with the arrow keys, eat the berries and keep away from the walls, "
    "your own body and the poison. P pauses the game.";
const char* const missingHelpFile = "The help file helpfile.bat could not be read. ";
const char* const emptyHelpFile = "The help file helpfile.bat is empty. ";

// Line ends in the file may be CR LF, CR or LF; the text box wants LF.
QString withPlainLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

QString helpTextFromFile(const std::filesystem::path& helpFile)
{
    // A missing, unreadable or empty help file would leave the player with
    // an empty box; a few words on how to play are better than nothing.
    const std::optional<std::string> bytes = ReadPlainFile(helpFile, maxHelpFileBytes);
    if (!bytes)
        return QString::fromLatin1(missingHelpFile) + QString::fromLatin1(howToPlay);
    FieldReader reader(*bytes);
    const std::optional<std::string> field = reader.readText();
    if (!field || field->empty())
        return QString::fromLatin1(emptyHelpFile) + QString::fromLatin1(howToPlay);
    return withPlainLineBreaks(textFromFileBytes(*field));
}

HelpWindow::HelpWindow(ProgramEnd& programEnd, QWidget* parent)
    : QMainWindow(parent), programEnd_(programEnd)
{
    setWindowTitle(QStringLiteral("Help"));

    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("File"));
    QAction* exitAction = fileMenu->addAction(QStringLiteral("Exit"));
    exitAction->setObjectName(QStringLiteral("Exit"));
    connect(exitAction, &QAction::triggered, this, [this] { programEnd_.endNow(); });

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixelsX(this, 5640), twipsToPixelsY(this, 3375));
    QPalette colours = client->palette();
    colours.setColor(QPalette::Window, darkTeal);
    client->setPalette(colours);
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    offerNoMaximise(this);

    text1_ = new QPlainTextEdit(client);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(twipsRect(this, 120, 120, 5415, 3135));
    text1_->setReadOnly(true);
    text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1_->setFont(windowFont(8.25, false));
}

void HelpWindow::load(const std::filesystem::path& helpFile)
{
    text1_->setPlainText(helpTextFromFile(helpFile));
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreOnScreen(this);
    }
}

}  // namespace vermo
