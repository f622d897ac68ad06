// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/twips_layout.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "platform/qt/fixed_size_window.h"
#include "platform/qt/units.h"
#include "platform/qt/window_focus.h"

namespace vermo {

int TwipsWindow::pixels(int twips) const
{
    return units::pixelsFromTwips(twips, dpi);
}

QRect TwipsWindow::rect(int left, int top, int width, int height) const
{
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

QFont TwipsWindow::font(qreal points, bool bold) const
{
    return units::windowFont(points * fontScale, bold);
}

TwipsWindow layOutUnderFileMenu(QMainWindow& window, QSize designTwips, QColor colour,
                                const std::function<void()>& exit)
{
    QMenu* fileMenu = window.menuBar()->addMenu(QStringLiteral("&File"));
    QAction* exitAction = fileMenu->addAction(QStringLiteral("E&xit"));
    exitAction->setObjectName(QStringLiteral("Exit"));
    QObject::connect(exitAction, &QAction::triggered, &window, exit);

    // The menu bar is part of what must fit the screen.
    const double dpi =
        units::dpiToFitScreen(&window, designTwips, window.menuBar()->sizeHint().height());
    auto* client = new QWidget(&window);
    const TwipsWindow twips{client, dpi, dpi / units::logicalDpi(&window)};
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips.pixels(designTwips.width()), twips.pixels(designTwips.height()));
    QPalette colours = client->palette();
    colours.setColor(QPalette::Window, colour);
    client->setPalette(colours);
    client->setAutoFillBackground(true);
    keepDesignSize(window, client);
    centreWhenFirstShown(window);
    return twips;
}

}  // namespace vermo
