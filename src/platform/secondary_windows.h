// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vermo {

// The two other windows, opened from the main window's menu without
// blocking it. A second show only brings a window to the front.
class SecondaryWindows {
public:
    virtual ~SecondaryWindows() = default;
    virtual void showHighScores() = 0;
    virtual void showHelp() = 0;
};

}  // namespace vermo
