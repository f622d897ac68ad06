// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vermo {

// Who puts a top-level window on the screen. On X11 the program may move
// its own windows; on Wayland only the compositor places them, and a move
// asked for by the program is silently ignored (D-31).
enum class WindowPlacement { ByProgram, ByCompositor };

// Recognised from the Qt platform plugin's name: "wayland" and its variants
// (such as "wayland-egl") leave placement to the compositor.
WindowPlacement windowPlacementOfPlatform();

}  // namespace vermo
