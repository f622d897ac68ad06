// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the tests inside a QApplication, offscreen unless the caller chose
// a display of its own, with boxes that take any size as the game's own.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/qt/fixed_size_window.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vermo::letBoxesTakeAnySize();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
