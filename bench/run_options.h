// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <cstring>
#include <string>

namespace vermo::bench {

// "--name value" from the command line, or the fallback.
inline std::string option(int argc, char** argv, const char* name, const std::string& fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return fallback;
}

inline double numberOption(int argc, char** argv, const char* name, double fallback)
{
    const std::string text = option(argc, argv, name, {});
    return text.empty() ? fallback : std::strtod(text.c_str(), nullptr);
}

}  // namespace vermo::bench
