// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QObject;

namespace vermo::bench {

// A key press and release sent to the window, as the keyboard sends them:
// keys::Left .. keys::Down and keys::P; any other code sends nothing.
void pressKey(QObject& window, int virtualKey);

}  // namespace vermo::bench
