// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/options.h"

#include <algorithm>

namespace vermo {

namespace {

// The options QGuiApplication and QApplication take, by name. Qt reads
// each of them with one dash or two, some with a value after "=" or in
// the next argument (which, not beginning with "--", is never judged).
constexpr std::string_view qtOptionNames[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",     "qmljsdebugger",
    "qwindowgeometry", "qwindowicon", "qwindowtitle", "reverse",    "session",
    "display",  "geometry",           "style",        "stylesheet", "widgetcount",
    "nograb",   "dograb",             "sync",         "testability"};

}  // namespace

Options readOptions(int argc, const char* const* argv)
{
    Options options;
    bool help = false, version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() <= 2 || arg.substr(0, 2) != "--")
            continue;
        const std::string_view name = arg.substr(2, arg.find('=') - 2);
        if (arg == "--help")
            help = true;
        else if (arg == "--version")
            version = true;
        else if (arg == "--quit-after-first-paint")
            options.quitAfterFirstPaint = true;
        else if (std::ranges::find(qtOptionNames, name) == std::end(qtOptionNames)) {
            options.request = Options::Request::Wrong;
            options.wrong = arg;
            return options;
        }
    }
    if (help)
        options.request = Options::Request::Help;
    else if (version)
        options.request = Options::Request::Version;
    return options;
}

std::string usageText(const std::string& scoreFile)
{
    return "Usage: vermo [--help | --version]\n"
           "Steer a worm across a walled field with the arrow keys, eat the berries and\n"
           "keep clear of the walls, your own body and the poison.\n"
           "\n"
           "  --help     show this text and leave\n"
           "  --version  show the game's version and leave\n"
           "\n"
           "Qt's own options (-platform, -style, ...) are passed on to Qt.\n"
           "\n"
           "Started in a folder of the player's own that holds the game's pictures, the\n"
           "game plays there and keeps its high scores in " + scoreFile + " beside them.\n"
           "Installed, or started in a folder others may write to, it plays in\n"
           "$XDG_DATA_HOME/vermo (~/.local/share/vermo), one table for each player.\n";
}

std::string versionText(std::string_view version)
{
    return "vermo " + std::string(version) + "\n"
           "Copyright (C) 2026 The Vermo developers\n"
           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace vermo
