// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/qt/high_score_window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "platform/qt/fixed_size_window.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/units.h"
#include "scores/qt/column_printer.h"
#include "scores/qt/score_printout.h"

namespace vermo {

namespace {

const QColor orange(255, 128, 0);

// A label that shortens a text too long for it with an ellipsis instead of
// growing, so a long name never pushes the window's layout about.
class RowLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(area, static_cast<int>(alignment()),
                         fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
    }
};

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                 const QFont& font)
{
    auto* label = new RowLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    return label;
}

// The print boxes block the High Scores window alone: a game goes on
// behind it, and the main window keeps taking the game's keys.
int runModalToWindow(QDialog& box)
{
    box.setWindowModality(Qt::WindowModal);
    return box.exec();
}

PrintChoices qtPrintChoices(QWidget* window)
{
    PrintChoices choices;
    choices.printerAvailable = [] { return !QPrinterInfo::defaultPrinter().isNull(); };
    choices.askYesNo = [window](const QString& question) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("vermo"), question,
                        QMessageBox::Yes | QMessageBox::No, window);
        box.setDefaultButton(QMessageBox::Yes);
        runModalToWindow(box);
        return box.clickedButton() == box.button(QMessageBox::Yes);
    };
    choices.askSaveFileName = [window](const QString& suggestedPath) {
        QFileDialog box(window, QStringLiteral("Save High Score List"), suggestedPath,
                        QStringLiteral("PDF files (*.pdf)"));
        box.setAcceptMode(QFileDialog::AcceptSave);
        if (runModalToWindow(box) != QDialog::Accepted || box.selectedFiles().isEmpty())
            return QString();
        return box.selectedFiles().constFirst();
    };
    choices.tell = [window](const QString& message) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("vermo"), message,
                        QMessageBox::Ok, window);
        runModalToWindow(box);
    };
    return choices;
}

}  // namespace

HighScoreWindow::HighScoreWindow(QWidget* parent)
    : QMainWindow(parent), saveFolder_(QDir::current().filesystemPath()),
      printChoices_(qtPrintChoices(this))
{
    setWindowTitle(QStringLiteral("High Scores"));
    buildLayout();
    fillRows();
}

void HighScoreWindow::buildLayout()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* exitAction = fileMenu->addAction(QStringLiteral("E&xit"));
    exitAction->setObjectName(QStringLiteral("Exit"));
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(units::twipsToPixelsX(this, 4755), units::twipsToPixelsY(this, 6855));
    QPalette colours = client->palette();
    colours.setColor(QPalette::Window, orange);
    colours.setColor(QPalette::WindowText, Qt::black);
    client->setPalette(colours);
    client->setAutoFillBackground(true);
    keepDesignSize(*this, client);

    const auto at = [this](int left, int top, int width, int height) {
        return units::twipsRect(this, left, top, width, height);
    };
    addLabel(client, "lblmaintitle", QStringLiteral("High Score List"), at(600, 120, 3615, 615),
             units::windowFont(24, true));
    addLabel(client, "lblsubname", QStringLiteral("Name"), at(240, 960, 1215, 495),
             units::windowFont(18, true));
    addLabel(client, "lblsubscore", QStringLiteral("Score"), at(3360, 960, 1215, 495),
             units::windowFont(18, true));

    const QFont rowFont = units::windowFont(13.5, false);
    for (int row = 1; row <= 10; ++row) {
        const int top = 1440 + 480 * (row - 1);
        const QByteArray number = QByteArray::number(row);
        const QRect numberPlace = row == 10 ? at(0, top, 495, 495) : at(120, top, 375, 495);
        addLabel(client, "lblnum" + number, QStringLiteral("%1.)").arg(row), numberPlace, rowFont);
        lblname_[row] = addLabel(client, "lblname" + number, QString(),
                                 at(480, top, row == 1 ? 2655 : 2775, 495), rowFont);
        lblscore_[row] = addLabel(client, "lblscore" + number, QString(),
                                  at(3360, top, 1215, 495), rowFont);
    }

    cmdprint_ = new QPushButton(QStringLiteral("Print High Score List"), client);
    cmdprint_->setObjectName(QStringLiteral("cmdprint"));
    cmdprint_->setGeometry(at(840, 6240, 3135, 495));
    cmdprint_->setFont(units::windowFont(8.25, false));
    connect(cmdprint_, &QPushButton::clicked, this, &HighScoreWindow::printList);
}

void HighScoreWindow::load(const Folder& gameFolder,
                           const std::function<ScoreTable()>& lastGoodTable)
{
    // The file can only be missing or damaged here if something outside
    // the game changed it after start-up; the list then shows the table the
    // main window last read, without bothering the player.
    ScoreTable table;
    if (!ReadScores(table, FindTable(gameFolder)).read())
        table = lastGoodTable ? lastGoodTable() : ScoreTable::defaults();
    SortScores(table);
    list_ = table;
    fillRows();
}

void HighScoreWindow::fillRows()
{
    for (int row = 1; row <= 10; ++row) {
        const int entry = 11 - row;
        lblname_[row]->setText(shownTextFromFileBytes(list_.names[entry]));
        lblscore_[row]->setText(QString::number(list_.scores[entry]));
    }
}

void HighScoreWindow::printList()
{
    if (!printChoices_.printerAvailable()) {
        offerPdf(QStringLiteral(
            "No Printer Is Available. Save The High Score List As A PDF File Instead?"));
        return;
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    if (printTo(printer) && printer.printerState() != QPrinter::Error)
        return;
    offerPdf(QStringLiteral(
        "The High Score List Could Not Be Printed. Save It As A PDF File Instead?"));
}

bool HighScoreWindow::printTo(QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PainterSink sink(painter, device);
    ColumnPrinter printer(sink);
    return printScoreList(printer, list_);
}

void HighScoreWindow::offerPdf(const QString& question)
{
    if (!printChoices_.askYesNo(question))
        return;
    const QString suggested =
        QDir(saveFolder_).filePath(QStringLiteral("highscores.pdf"));
    QString path = printChoices_.askSaveFileName(suggested);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");

    bool saved = false;
    {
        QPdfWriter writer(path);
        writer.setTitle(QStringLiteral("High Score List"));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        saved = printTo(writer);
    }
    // One box either way, naming the file.
    if (!saved || QFileInfo(path).size() == 0)
        printChoices_.tell(QStringLiteral("The High Score List Could Not Be Saved As %1.").arg(path));
    else
        printChoices_.tell(QStringLiteral("The High Score List Was Saved As %1.").arg(path));
}

void HighScoreWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!centred_) {
        centred_ = true;
        units::centreOnScreen(this);
    }
}

}  // namespace vermo
