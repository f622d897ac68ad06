// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QString>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "support/program_ends.h"
#include "support/score_builders.h"

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace vermo::testing {

inline QString labelText(const QWidget* window, const QString& name)
{
    const auto* label = window->findChild<const QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

// Windows closed by the player are deleted later; this is "later".
inline void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The layout checks below are written for the usual 96 dpi, 15 twips a pixel.
inline bool screenIs96Dpi(const QWidget* window)
{
    const QScreen* screen = window->screen();
    return screen && screen->logicalDotsPerInchX() == 96.0 && screen->logicalDotsPerInchY() == 96.0;
}

}  // namespace vermo::testing
