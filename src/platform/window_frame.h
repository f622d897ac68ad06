// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace vermo {

// The main window's outer frame on the screen, in twips, and its icon.
class WindowFrame {
public:
    virtual ~WindowFrame() = default;
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual void setLeft(int twips) = 0;
    virtual void setTop(int twips) = 0;
    // The end of a shake: the window back at (left, top), where nothing
    // displaces it any more.
    virtual void comeToRest(int left, int top) = 0;
    // Loads an icon file; a missing or broken file leaves a plain icon.
    virtual void setIcon(const std::string& file) = 0;
};

}  // namespace vermo
