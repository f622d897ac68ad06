// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/qt/high_score_window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>
#include <cmath>

#include "game/board.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/units.h"
#include "scores/qt/column_printer.h"
#include "scores/qt/score_printout.h"

namespace vermo {

namespace {

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

// The print boxes block the High Scores window alone (D-68).
int runModalToWindow(QDialog& box)
{
    box.setWindowModality(Qt::WindowModal);
    return box.exec();
}

bool askYesNo(QWidget* window, const QString& question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("vermo"), question,
                    QMessageBox::Yes | QMessageBox::No, window);
    box.setDefaultButton(QMessageBox::Yes);
    runModalToWindow(box);
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

// A file name to save the list as; empty when the player cancels.
QString askSaveFileName(QWidget* window, const QString& suggestedPath)
{
    QFileDialog box(window, QStringLiteral("Save High Score List"), suggestedPath,
                    QStringLiteral("PDF files (*.pdf)"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    if (runModalToWindow(box) != QDialog::Accepted || box.selectedFiles().isEmpty())
        return QString();
    return box.selectedFiles().constFirst();
}

void tell(QWidget* window, const QString& message)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("vermo"), message, QMessageBox::Ok,
                    window);
    runModalToWindow(box);
}

constexpr QSize designTwips(4755, 6855);
// Across a row, in twips: each rank at the margin, the names after the
// widest rank, the scores.
constexpr int rankLeft = 120;
constexpr int rankGap = 90;
constexpr int designNameLeft = 480;
constexpr int nameGap = 105;
constexpr int scoreLeft = 3360;
constexpr int scoreWidth = 1215;
constexpr int rowHeight = 495;

}  // namespace

HighScoreWindow::HighScoreWindow(QWidget* parent)
    : QMainWindow(parent),
      twips_(layOutUnderFileMenu(*this, designTwips, units::colorFromBgr(colors::orange),
                                 [this] { close(); })),
      saveFolder_(QDir::current().filesystemPath())
{
    setWindowTitle(QStringLiteral("High Scores"));
    QWidget* client = twips_.client;
    QPalette colours = client->palette();
    colours.setColor(QPalette::WindowText, Qt::black);
    client->setPalette(colours);

    addLabel(client, "lblmaintitle", QStringLiteral("High Score List"),
             twips_.rect(600, 120, 3615, 615), twips_.font(24, true));
    addLabel(client, "lblsubname", QStringLiteral("Name"), twips_.rect(240, 960, 1215, 495),
             twips_.font(18, true));
    lblsubscore_ = addLabel(client, "lblsubscore", QStringLiteral("Score"),
                            twips_.rect(scoreLeft, 960, 1215, 495), twips_.font(18, true));

    // The rows' places across are set by placeColumns.
    const QFont rowFont = twips_.font(13.5, false);
    for (int row = 1; row <= 10; ++row) {
        const QByteArray number = QByteArray::number(row);
        lblnum_[row] = addLabel(client, "lblnum" + number, QStringLiteral("%1.)").arg(row), {}, rowFont);
        lblname_[row] = addLabel(client, "lblname" + number, QString(), {}, rowFont);
        lblscore_[row] = addLabel(client, "lblscore" + number, QString(), {}, rowFont);
    }

    auto* cmdprint = new QPushButton(QStringLiteral("Print High Score List"), client);
    cmdprint->setObjectName(QStringLiteral("cmdprint"));
    cmdprint->setGeometry(twips_.rect(840, 6240, 3135, 495));
    cmdprint->setFont(twips_.font(8.25, false));
    connect(cmdprint, &QPushButton::clicked, this, &HighScoreWindow::printList);
    fillRows();
}

// The rows keep their design places where the table fits them; otherwise
// the names give way to the widest rank and the widest score (D-78).
void HighScoreWindow::placeColumns()
{
    // Whole pixels that hold the text unshortened at any font size.
    const QFontMetricsF metrics(lblscore_[1]->font(), lblscore_[1]);
    const auto room = [&metrics](const QString& text) {
        return static_cast<int>(std::ceil(metrics.horizontalAdvance(text)));
    };
    const int margin = twips_.pixels(rankLeft);
    const int nameLeft = std::max(twips_.pixels(designNameLeft),
                                  margin + room(lblnum_[10]->text()) + twips_.pixels(rankGap));
    int widestScore = 0;
    for (int row = 1; row <= 10; ++row)
        widestScore = std::max(widestScore, room(lblscore_[row]->text()));
    const int scoreRight = twips_.pixels(designTwips.width() - rankLeft);
    const int scoresLeft = std::min(twips_.pixels(scoreLeft), scoreRight - widestScore);
    const int scoresWidth = std::max(twips_.pixels(scoreWidth), widestScore);
    lblsubscore_->move(scoresLeft, lblsubscore_->y());
    const int height = twips_.pixels(rowHeight);
    for (int row = 1; row <= 10; ++row) {
        const int top = twips_.pixels(1440 + 480 * (row - 1));
        const int nameRight = std::min(twips_.pixels(row == 1 ? 3135 : 3255),
                                       scoresLeft - twips_.pixels(nameGap));
        lblnum_[row]->setGeometry(margin, top, nameLeft - margin, height);
        lblname_[row]->setGeometry(nameLeft, top, nameRight - nameLeft, height);
        lblscore_[row]->setGeometry(scoresLeft, top, scoresWidth, height);
    }
}

void HighScoreWindow::load(const Folder& gameFolder,
                           const std::function<ScoreTable()>& lastGoodTable)
{
    // The file can only be missing or damaged here if something outside
    // the game changed it after start-up; the list then shows the table the
    // main window last read, without bothering the player.
    if (!readSortedTable(list_, findTable(gameFolder)).read()) {
        list_ = lastGoodTable ? lastGoodTable() : ScoreTable::defaults();
        SortScores(list_);
    }
    fillRows();
}

void HighScoreWindow::fillRows()
{
    for (int row = 1; row <= 10; ++row) {
        const int entry = 11 - row;
        lblname_[row]->setText(shownTextFromFileBytes(list_.names[entry]));
        lblscore_[row]->setText(QString::number(list_.scores[entry]));
    }
    placeColumns();
}

void HighScoreWindow::printList()
{
    if (QPrinterInfo::defaultPrinter().isNull()) {
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
    if (!askYesNo(this, question))
        return;
    QString path =
        askSaveFileName(this, QDir(saveFolder_).filePath(QStringLiteral("highscores.pdf")));
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
        tell(this, QStringLiteral("The High Score List Could Not Be Saved As %1.").arg(path));
    else
        tell(this, QStringLiteral("The High Score List Was Saved As %1.").arg(path));
}

}  // namespace vermo
