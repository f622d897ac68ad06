// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: the game's own options, Qt's options passed on, and
// anything else refused.

#include "platform/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using vermo::Options;

Options read(std::vector<const char*> args)
{
    args.insert(args.begin(), "vermo");
    return vermo::readOptions(static_cast<int>(args.size()), args.data());
}

TEST(ReadOptions, HelpAndVersionAreAnswered)
{
    EXPECT_EQ(read({}).request, Options::Request::Play);
    EXPECT_EQ(read({"--help"}).request, Options::Request::Help);
    EXPECT_EQ(read({"--version"}).request, Options::Request::Version);
}

TEST(ReadOptions, QtsOwnOptionsPassInEveryForm)
{
    EXPECT_EQ(read({"-platform", "offscreen", "--style=fusion", "--platform", "xcb", "-reverse"})
                  .request,
              Options::Request::Play);
}

TEST(ReadOptions, TheTimingOptionIsTakenQuietly)
{
    const Options options = read({"--quit-after-first-paint"});
    EXPECT_EQ(options.request, Options::Request::Play);
    EXPECT_TRUE(options.quitAfterFirstPaint);
}

TEST(ReadOptions, AnUnknownOptionIsRefusedEvenBesideHelp)
{
    const Options options = read({"--help", "--speed=20"});
    EXPECT_EQ(options.request, Options::Request::Wrong);
    EXPECT_EQ(options.wrong, "--speed=20");
}

}  // namespace
