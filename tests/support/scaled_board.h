// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a window of any size shows: the board at one scale, the largest at
// which it fits, in the middle of the client area.

#include <QRect>
#include <QSize>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>

namespace vermo::testing {

// Checks the board's size and place in the client area against its design
// size, and returns the scale it is shown at.
inline double expectBoardScaledInTheMiddle(const QWidget& client, const QWidget& board, QSize design)
{
    const double scale = std::min(double(client.width()) / design.width(),
                                  double(client.height()) / design.height());
    EXPECT_GT(scale, 1.0);
    EXPECT_NEAR(board.width(), design.width() * scale, 1.0);
    EXPECT_NEAR(board.height(), design.height() * scale, 1.0);
    const QRect at = board.geometry();
    EXPECT_NEAR(at.left(), client.width() - 1 - at.right(), 1);
    EXPECT_NEAR(at.top(), client.height() - 1 - at.bottom(), 1);
    return scale;
}

}  // namespace vermo::testing
