// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>

#include "platform/window_frame.h"
#include "platform/qt/window_placement.h"

class QWidget;

namespace vermo {

class IconFiles;

// The main window's outer frame in twips at the screen's logical dpi, and
// its icon from the game's icon files. The place is remembered in twips as
// the game last set it and read back only when the player has moved the
// window since (D-57). Where the window cannot move (Wayland, maximised,
// full screen) a move is shown inside it instead: the contents are
// displaced by the distance from where they last came to rest (D-31).
class QtWindowFrame : public QObject, public WindowFrame {
public:
    QtWindowFrame(QWidget* window, IconFiles& icons,
                  WindowPlacement placement = windowPlacementOfPlatform());

    // Shows the contents displaced by an offset in twips (0, 0 at rest).
    using Displace = std::function<void(QPoint twips)>;
    void setDisplace(Displace displace);

    int left() const override { return where().x(); }
    int top() const override { return where().y(); }
    void setLeft(int twips) override { moveTo({twips, where().y()}); }
    void setTop(int twips) override { moveTo({where().x(), twips}); }
    void comeToRest(int left, int top) override;
    void setIcon(const std::string& file) override;

    // A plain round icon for when the icon file cannot be used.
    static QIcon standInIcon();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool movesInside() const;
    QPoint where() const;
    void moveTo(QPoint twips);
    void displace();

    QWidget* window_;
    IconFiles& icons_;
    WindowPlacement placement_;
    Displace displace_;
    // Where the game last put the window, and the pixels that stood for.
    QPoint wanted_;
    std::optional<QPoint> placedAt_;
    // While moves are shown inside the window: where the contents rest,
    // and where the window stood when it stopped moving.
    QPoint rest_, normal_;
    bool inside_ = false;
};

}  // namespace vermo
