// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMainWindow;
class QWidget;

namespace vermo {

// A window whose client area keeps its design size (D-36). Where the
// program places its windows (X11) the window keeps its size and asks for
// no maximise button; a maximise is undone all the same. Where the
// compositor sizes them (Wayland), a window that does not take the size it
// is given is disconnected, which ends the program: there the window takes
// any size, no smaller than its design, the client area in the middle with
// its own colour around it. Give the client area its colour before calling.
void keepDesignSize(QMainWindow& window, QWidget* client);

// Where the compositor sizes windows, every box the application shows from
// then on (the game's and those Qt opens by itself, such as the file
// dialog's questions) takes any size, its contents as Qt laid them out in
// the middle. Installed once, however often this is called: call it before
// the first box.
void letBoxesTakeAnySize();

}  // namespace vermo
