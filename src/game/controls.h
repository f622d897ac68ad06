// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <vector>

#include "game/board.h"

namespace vermo {

// The main window's controls as plain data. Property names follow the
// window's own: Left, Top, Width and Height in centimetres.

struct Circle {
    float Left = 0, Top = 0, Width = spriteSize, Height = spriteSize;
    Color FillColor = colors::wormGreen;
    Color BorderColor = colors::wormGreen;
    bool Visible = true;
};

// A picture stretched to its box; Picture names the file it came from.
struct Image {
    float Left = 0, Top = 0, Width = spriteSize, Height = spriteSize;
    bool Visible = true;
    std::string Picture;
};

struct Label {
    std::string Caption;
};

struct CommandButton {
    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
};

struct Line {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Color BorderColor = colors::wallBlue;
};

// A control array: elements from its lowest index up to the highest
// loaded one, with no gaps. A new element n + 1 starts as a hidden copy
// of the lowest element; only the highest element can be removed, and
// the lowest one always stays.
template <class Control>
class ControlArray {
public:
    ControlArray(int lowest, Control first) : lowest_(lowest), items_{std::move(first)} {}

    int highest() const { return lowest_ + static_cast<int>(items_.size()) - 1; }
    bool exists(int index) const { return index >= lowest_ && index <= highest(); }

    const Control& operator()(int index) const
    {
        assert(exists(index));
        return items_[static_cast<std::size_t>(index - lowest_)];
    }
    Control& operator()(int index) { return const_cast<Control&>(std::as_const(*this)(index)); }

    void loadNext()
    {
        Control copy = items_.front();
        copy.Visible = false;
        items_.push_back(std::move(copy));
    }

    void unloadHighest()
    {
        if (items_.size() > 1)
            items_.pop_back();
    }

    const std::vector<Control>& elements() const { return items_; }

private:
    int lowest_;
    std::vector<Control> items_;
};

// True when the inner box lies inside the outer box widened by half a cell
// on every side (strict comparisons, sums in single precision). On the
// grid this means: both stand on the same cell.
template <class Outer, class Inner>
bool liesInWidenedBox(const Outer& outer, const Inner& inner)
{
    return outer.Left - boxMargin < inner.Left
        && outer.Left + outer.Width + boxMargin > inner.Left + inner.Width
        && outer.Top - boxMargin < inner.Top
        && outer.Top + outer.Height + boxMargin > inner.Top + inner.Height;
}

template <class A, class B>
bool samePosition(const A& a, const B& b)
{
    return a.Left == b.Left && a.Top == b.Top;
}

}  // namespace vermo
