// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

namespace vermo {

// Names and help text are stored as bytes: valid UTF-8 reads as UTF-8,
// anything else as Latin-1, so every byte shows as some character (D-28).
QString textFromFileBytes(const std::string& bytes);

// A name or a caption as the game lays it out: the text of its bytes, cut
// to maxShownTextLength characters with "…" at the end (never between the
// two halves of one character), so no label lays out more (D-29).
inline constexpr qsizetype maxShownTextLength = 256;
QString shownTextFromFileBytes(const std::string& bytes);

// Line ends written CR LF (as the game's files and messages have them) or CR
// alone, as the labels and text boxes want them: LF.
QString withPlainLineBreaks(QString text);

}  // namespace vermo
