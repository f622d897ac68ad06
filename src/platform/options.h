// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace vermo {

// What the command line asks for; only options that begin with "--" are
// judged, and Qt's own are left for Qt (D-43).
struct Options {
    enum class Request { Play, Help, Version, Wrong };
    Request request = Request::Play;
    // The start check: report the time of the first paint, then leave (D-44).
    bool quitAfterFirstPaint = false;
    // The first option that is neither the game's nor Qt's.
    std::string wrong;
};

Options readOptions(int argc, const char* const* argv);

// The text --help shows, naming the table; also shown, on the error output, after a wrong option.
std::string usageText(const std::string& scoreFile);

// The text --version shows: the version, then the copyright and the licence
// in the words GNU programs use.
std::string versionText(std::string_view version);

}  // namespace vermo
