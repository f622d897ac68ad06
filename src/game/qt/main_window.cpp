// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/qt/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "game/qt/game_key_router.h"
#include "game/qt/playfield_widget.h"
#include "game/qt/wrapping_button.h"
#include "platform/qt/scaled_client.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/units.h"
#include "platform/qt/window_focus.h"
#include "scores/qt/high_score_window.h"
#include "ui/qt/help_window.h"
#include "ui/qt/secondary_windows.h"

namespace vermo {

namespace {

struct PanelDesign {
    const char* name;
    Label FormState::*control;
    QRect box;  // in twips
};

const PanelDesign panelDesign[] = {
    {"Label4", &FormState::Label4, {6960, 5760, 2655, 495}},
    {"Label3", &FormState::Label3, {7080, 4080, 2535, 495}},
    {"Label2", &FormState::Label2, {6960, 2280, 2655, 495}},
    {"Label1", &FormState::Label1, {6960, 480, 2655, 495}},
    {"lblhighname", &FormState::lblhighname, {7080, 6360, 2535, 495}},
    {"lblhighscore", &FormState::lblhighscore, {7080, 4680, 2535, 495}},
    {"lblspeed", &FormState::lblspeed, {6960, 1200, 2655, 495}},
    {"lblscore", &FormState::lblscore, {6960, 2880, 2655, 495}},
};

const QRect startButtonBox(240, 240, 6615, 6600);

// The panel was laid out in MS Sans Serif 18 pt and the start button in
// Arial Black 72 pt (D-29).
QFont startButtonFont(double scale)
{
    QFont font = units::gameFont(QStringLiteral("Arial Black"), 72 * scale);
    font.setWeight(QFont::Black);
    return font;
}

// A caption wider than its label ends in "…", the whole text its tooltip
// (D-37); centred, it would otherwise lose both ends.
void showInLabel(QLabel& label, const QString& caption)
{
    const QString fitting =
        label.fontMetrics().elidedText(caption, Qt::ElideRight, label.contentsRect().width());
    label.setText(fitting);
    label.setToolTip(fitting == caption ? QString() : caption);
}

// The virtual key codes the game understands; 0 for any other key.
int virtualKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left: return keys::Left;
    case Qt::Key_Up: return keys::Up;
    case Qt::Key_Right: return keys::Right;
    case Qt::Key_Down: return keys::Down;
    case Qt::Key_P: return keys::P;
    default: return 0;
    }
}


}  // namespace

MainWindow::MainWindow(GameFolders folders, QWidget* parent)
    : QMainWindow(parent),
      folders_(std::move(folders)),
      icons_(folders_.files),
      dialogs_(this),
      frame_(this, icons_),
      windows_(std::make_unique<QtSecondaryWindows>(folders_.files, folders_.scores, icons_, this,
                                                    programEnd_, [this] { return game_.high; })),
      game_(Services{tmscoreupdate_, tmvermomove_, tmshake_, tminvisible_, dialogs_, random_,
                     frame_, programEnd_, *windows_, folders_.scores,
                     [this](bool waiting) { waitingShown_(waiting); }})
{
    buildMenus();
    // The window opens at its design size, or smaller where the screen is,
    // and then takes any size, the board scaled whole to it (D-76).
    const double openingDpi = units::dpiToFitScreen(this, QSize(clientWidthTwips, clientHeightTwips),
                                                     menuBar()->sizeHint().height());
    client_ = new ScaledClient(QSize(clientWidthTwips, clientHeightTwips), openingDpi,
                               units::colorFromBgr(colors::black), this);
    client_->setObjectName(QStringLiteral("client"));
    playfield_ = new PlayfieldWidget(game_, folders_.files, client_);
    playfield_->setObjectName(QStringLiteral("playfield"));
    buildPanel();
    setCentralWidget(client_);
    client_->setBoard(playfield_, [this](double dpi) { layOut(dpi); });
    // Where the window cannot move (Wayland, maximised, full screen), the
    // shake moves the board inside it.
    frame_.setDisplace([this](QPoint twips) { client_->displace(twips); });

    // After every tick and before every box the screen shows the game's
    // state as it is.
    for (QtTimer* timer : {&tmscoreupdate_, &tmvermomove_, &tmshake_, &tminvisible_})
        timer->setAfterTick([this] { refreshFromModel(); });
    dialogs_.setBeforeOpen([this] { refreshFromModel(); });

    // Before the first game the start button holds the focus.
    startButton_->setFocus();
    new GameKeyRouter(this, {
        .isOn = [this] { return !game_.cmdstart.Visible; },
        .isPaused = [this] { return game_.paused; },
        .takeKey = [this](QKeyEvent* event) { takeGameKey(event); },
        .helpWindow = [this]() -> QWidget* { return windows_->helpWindow(); },
        .highScoreWindow = [this]() -> QWidget* { return windows_->highScoreWindow(); },
    });

    // The window opens in the middle of the screen, and a box of the load
    // (the first run's) stands where the window will appear. (adjustSize
    // would keep a top-level window within two thirds of its screen.)
    resize(sizeHint());
    centreOnOwner(*this, nullptr);

    game_.Form_Load();
    playfield_->loadPictures();
    refreshFromModel();
}

MainWindow::~MainWindow()
{
    // The timers stop before the widgets they repaint go.
    for (QtTimer* timer : {&tmscoreupdate_, &tmvermomove_, &tmshake_, &tminvisible_}) {
        timer->setAfterTick({});
        timer->setEnabled(false);
    }
    dialogs_.setBeforeOpen({});
}

void MainWindow::buildPanel()
{
    QPalette palette;
    palette.setColor(QPalette::WindowText, units::colorFromBgr(colors::white));
    for (const PanelDesign& design : panelDesign) {
        auto* label = new QLabel(playfield_);
        label->setObjectName(QString::fromLatin1(design.name));
        label->setPalette(palette);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        labels_.push_back({design.box, &(game_.*design.control), label, {}});
    }

    startButton_ = new WrappingButton(playfield_);
    startButton_->setObjectName(QStringLiteral("cmdstart"));
    startButton_->setFocusPolicy(Qt::StrongFocus);
    connect(startButton_, &QPushButton::clicked, this, [this] {
        game_.cmdstart_Click();
        refreshFromModel();
    });
}

// The board's twips measured at `dpi`: the playfield, the panel's labels
// and their font, the start button and its font, all at one scale.
void MainWindow::layOut(double dpi)
{
    const double scale = dpi / units::logicalDpi(this);
    auto pixels = [dpi](const QRect& twips) {
        return QRect(units::pixelsFromTwips(twips.x(), dpi), units::pixelsFromTwips(twips.y(), dpi),
                     units::pixelsFromTwips(twips.width(), dpi), units::pixelsFromTwips(twips.height(), dpi));
    };
    playfield_->setDpi(dpi);
    const QFont font = units::windowFont(18 * scale, false);
    for (PanelLabel& panel : labels_) {
        panel.widget->setGeometry(pixels(panel.designTwips));
        panel.widget->setFont(font);
        panel.shown.clear();  // cut again to the new width
        panel.widget->clear();
    }
    startButton_->setGeometry(pixels(startButtonBox));
    startButton_->setFont(startButtonFont(scale));
    refreshFromModel();
}

// The menus carry their items only, with the keys of D-59.
void MainWindow::buildMenus()
{
    using Handler = void (VermoGame::*)();
    auto command = [this](QMenu* menu, const char* caption, const char* name, Handler handler,
                          QKeySequence shortcut = {},
                          Qt::ShortcutContext where = Qt::WindowShortcut) -> QAction* {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(where);
        connect(action, &QAction::triggered, this, [this, handler] {
            (game_.*handler)();
            refreshFromModel();
        });
        return action;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    command(file, "&New Game", "Newgame", &VermoGame::Newgame_Click,
            QKeySequence(Qt::CTRL | Qt::Key_N));
    command(file, "E&xit", "Exit", &VermoGame::Exit_Click, QKeySequence(Qt::CTRL | Qt::Key_Q),
            Qt::ApplicationShortcut);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View"));
    highScoresAction_ =
        command(view, "&High Scores", "High", &VermoGame::High_Click, QKeySequence(Qt::Key_F2));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Helps"));
    helpFileAction_ =
        command(help, "Help &File", "Help", &VermoGame::Help_Click, QKeySequence(Qt::Key_F1));
    command(help, "&About", "About", &VermoGame::About_Click);

    // F11 makes the window fill the screen and back; a key of the window,
    // not a menu item (D-76).
    fullScreenAction_ = new QAction(this);
    fullScreenAction_->setObjectName(QStringLiteral("fullScreen"));
    fullScreenAction_->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreenAction_->setShortcutContext(Qt::WindowShortcut);
    connect(fullScreenAction_, &QAction::triggered, this,
            [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    addAction(fullScreenAction_);
}

void MainWindow::refreshFromModel()
{
    if (client_ == nullptr || client_->dpi() <= 0)
        return;  // not yet laid out
    if (game_.Caption != shownCaption_) {
        shownCaption_ = game_.Caption;
        setWindowTitle(textFromFileBytes(shownCaption_));
    }
    // Names from the high-score file may hold bytes of another code page.
    for (PanelLabel& panel : labels_)
        if (panel.control->Caption != panel.shown) {
            panel.shown = panel.control->Caption;
            showInLabel(*panel.widget, shownTextFromFileBytes(panel.shown));
        }
    showStartButton();
    playfield_->showState();
}

void MainWindow::showStartButton()
{
    const CommandButton& button = game_.cmdstart;
    if (button.Caption != shownButtonCaption_) {
        shownButtonCaption_ = button.Caption;
        startButton_->setText(textFromFileBytes(shownButtonCaption_));
    }
    if (startButton_->isEnabled() != button.Enabled)
        startButton_->setEnabled(button.Enabled);
    if (startButton_->isHidden() == button.Visible) {
        startButton_->setVisible(button.Visible);
        // With the button gone nothing else takes the focus: keys go to
        // the window's key handler.
        if (!button.Visible)
            setFocus();
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // F1, F2 and F11 normally arrive as shortcuts. A window that gets keys
    // without counting as active (no window manager, focus follows the
    // mouse) never sees its shortcuts, so they land here instead.
    if (event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_F1: helpFileAction_->trigger(); return;
        case Qt::Key_F2: highScoresAction_->trigger(); return;
        case Qt::Key_F11: fullScreenAction_->trigger(); return;
        default: break;
        }
    }
    if (!takeGameKey(event))
        QMainWindow::keyPressEvent(event);
}

bool MainWindow::takeGameKey(QKeyEvent* event)
{
    const int code = virtualKeyCode(event->key());
    // While the start button stands (before the first game) it holds the
    // focus and the game sees no keys.
    if (code == 0 || game_.cmdstart.Visible)
        return false;
    game_.Form_KeyDown(code);
    refreshFromModel();
    return true;
}

// The close box closes the game with its timers and no game over; the
// high-score and help windows go with it.
void MainWindow::closeEvent(QCloseEvent* event)
{
    for (QtTimer* timer : {&tmscoreupdate_, &tmvermomove_, &tmshake_, &tminvisible_})
        timer->setEnabled(false);
    event->accept();
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

}  // namespace vermo
