// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qt/window_placement.h"

class QObject;
class QMainWindow;
class QWidget;

namespace vermo {

// A window whose client area keeps its design size, whatever the desktop.
//
// Where the program places its windows (X11), the window keeps the size of
// its menu bar and client area and asks the window manager for no maximise
// button; should a window manager maximise it all the same, that is undone.
//
// Where the compositor places them (Wayland), it also sizes them: Qt draws
// the title bar itself, with a maximise button on every window, and a
// window that does not take the size the compositor gives a maximised
// window is disconnected, which ends the program. There the window takes
// any size it is given, no smaller than its design, and the client area
// stays at its design size in the middle, its own colour around it (D-36).
// Give the client area its colour before calling.
void keepDesignSize(QMainWindow& window, QWidget* client,
                    WindowPlacement placement = windowPlacementOfPlatform());

// The same for the boxes Qt lays out itself at a fixed size (message and
// input boxes, the game's and those Qt opens by itself, such as the file
// dialog's questions). Where the compositor sizes windows, every such box
// the application shows from then on takes any size it is given, its
// contents at the size Qt laid them out at, in the middle. Elsewhere the
// window manager sizes boxes as Qt asks, and nothing changes. The watcher
// belongs to the application and is installed once, however often this is
// called: call it before the first box.
void letBoxesTakeAnySize(WindowPlacement placement = windowPlacementOfPlatform());

}  // namespace vermo
