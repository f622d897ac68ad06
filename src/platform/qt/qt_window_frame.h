// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPointer>

#include "platform/window_frame.h"
#include "platform/qt/window_placement.h"

class QWidget;

namespace vermo {

class IconFiles;

// The main window's outer frame in twips, converted at the screen's
// logical dpi, and its icon from the game's icon files.
//
// Where the program may place its windows, a new Left or Top moves the
// window itself. Where only the compositor places them (Wayland), the
// window stays where it is and the move is shown inside it instead: the
// client area is displaced by the window's distance from its home
// position (1080, 675 twips), which is where the contents rest. So the
// shake runs its steps inside the window, and its end and the game over
// bring the contents back to rest.
class QtWindowFrame : public WindowFrame {
public:
    QtWindowFrame(QWidget* window, IconFiles& icons,
                  WindowPlacement placement = windowPlacementOfPlatform());

    // The widget that holds the client area, displaced where the window
    // cannot be moved. Its parent shows where it has moved away.
    void setContents(QWidget* contents);
    WindowPlacement placement() const { return placement_; }

    // The dots per inch twips are converted at: the screen's own unless set
    // (a window made smaller to fit its screen).
    void setDpi(double dpi) { dpi_ = dpi; }

    int left() const override;
    int top() const override;
    void setLeft(int twips) override;
    void setTop(int twips) override;
    void setIcon(const std::string& file) override;

    // A plain round icon for when the icon file cannot be used.
    static QIcon standInIcon();

private:
    double dpi() const;
    void displaceContents();

    QWidget* window_;
    IconFiles& icons_;
    WindowPlacement placement_;
    QPointer<QWidget> contents_;
    // Where the game last put the window, when it cannot really go there.
    int wantedLeft_, wantedTop_;
    double dpi_ = 0;
};

}  // namespace vermo
