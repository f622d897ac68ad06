// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace vermo {

// A window that keeps its size offers no maximise button. The window
// manager (X11) is asked for a title bar with the minimise and close
// buttons only. Where Qt draws the title bar itself (on Wayland), the
// button cannot be taken away; a maximised or full-screen state is undone
// at once, so it does nothing.
void offerNoMaximise(QWidget* window);

}  // namespace vermo
