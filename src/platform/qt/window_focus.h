// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace vermo {

// Puts a box in the middle of the window it belongs to. A window that is
// not shown yet counts where it will appear; without an owner the box goes
// to the middle of the screen. The box is kept on the screen (D-35).
void centreOnOwner(QWidget& box, const QWidget* owner);

// Centres the box on its owner as it is shown, and again when its size
// changes before it appears: a message box whose text wraps takes its
// final size only as it is shown. Call before showing the box.
void keepCentredOnOwner(QWidget& box, const QWidget* owner);
// Puts the window in the middle of its screen's free area the first time it
// is shown; later shows leave it where the player put it.
void centreWhenFirstShown(QWidget& window);

// Asks for the keyboard for a shown window that has lost it, unless a box
// of the program is still open (D-34).
void giveKeyboardBack(QWidget* window);

}  // namespace vermo
