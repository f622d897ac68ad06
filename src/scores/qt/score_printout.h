// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

#include "scores/score_file.h"

namespace vermo {

class ColumnPrinter;

// The printed list: four empty lines, a bold heading, then the ten
// entries best first, all at 24 points; then the document ends. The
// heading and every score print whole, whatever the page's width and the
// printer's font. False when the job failed.
bool printScoreList(ColumnPrinter& printer, const ScoreTable& sortedTable);

// A score as it stands on paper: a blank or the minus sign, then the digits.
QString printedScore(std::int32_t score);

}  // namespace vermo
