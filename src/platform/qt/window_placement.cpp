// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/window_placement.h"

#include <QGuiApplication>

namespace vermo {

WindowPlacement windowPlacementOfPlatform()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
               ? WindowPlacement::ByCompositor
               : WindowPlacement::ByProgram;
}

}  // namespace vermo
