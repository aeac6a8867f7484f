#include "startup/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, TakesFilesFoldersAndUrisInOrder) {
    const CommandLine line = CommandLine::Parse({"list.m3u", "/music", "file:///a%20b.flac", "-"});
    EXPECT_EQ(line.action, CommandLine::Action::Run);
    EXPECT_EQ(line.Items, (Args{"list.m3u", "/music", "file:///a%20b.flac", "-"}));
    EXPECT_TRUE(CommandLine::Parse({}).Items.empty());
    // After "--" a name may start with "-".
    EXPECT_EQ(CommandLine::Parse({"--", "-odd.mp3", "--help"}).Items, (Args{"-odd.mp3", "--help"}));
}

TEST(CommandLineTest, HelpVersionAndUnknownOptionsAct) {
    EXPECT_EQ(CommandLine::Parse({"a.mp3", "--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(CommandLine::Parse({"-h"}).action, CommandLine::Action::Help);
    EXPECT_EQ(CommandLine::Parse({"--version", "--bogus"}).action, CommandLine::Action::Version);
    const CommandLine bad = CommandLine::Parse({"a.mp3", "--bogus", "--help"});
    EXPECT_EQ(bad.action, CommandLine::Action::Usage);
    EXPECT_EQ(bad.BadOption, "--bogus");
    EXPECT_TRUE(bad.Items.empty());
    EXPECT_NE(CommandLine::UsageText("--bogus").find("'--bogus'"), std::string::npos);
    EXPECT_NE(CommandLine::HelpText().find("Usage: qvrl"), std::string::npos);
    // Qt's own options go to Qt, with their values.
    const CommandLine qt =
        CommandLine::Parse({"-platform", "offscreen", "a.mp3", "-style=fusion", "-reverse"});
    EXPECT_EQ(qt.action, CommandLine::Action::Run);
    EXPECT_EQ(qt.Items, Args{"a.mp3"});
}

TEST(CommandLineTest, ItemsBecomeLocalPathsForTheRunningCopy) {
    EXPECT_EQ(CommandLine::LocalPaths({"song.flac", "../x/./y.ogg", "/abs.mp3",
                                       "file:///m/a%20b.flac", "http://radio/s", ""},
                                      "/home/u/Music"),
              (Args{"/home/u/Music/song.flac", "/home/u/x/y.ogg", "/abs.mp3", "/m/a b.flac",
                    "http://radio/s", ""}));
}

TEST(CommandLineTest, TheHandOverCarriesEveryByteOfEveryPath) {
    const Args paths{"/m/a b.flac", std::string("/m/line\nbreak\r\xE9\0z", 17), "/%41"};
    const std::string message = CommandLine::EncodeHandOver(paths);
    EXPECT_TRUE(CommandLine::HandOverComplete(message));
    EXPECT_FALSE(CommandLine::HandOverComplete(message.substr(0, message.size() - 1)));
    EXPECT_EQ(CommandLine::DecodeHandOver(message), paths);
    // No paths: only the closing line, which brings the window forward.
    EXPECT_EQ(CommandLine::EncodeHandOver({}), "\n");
    EXPECT_TRUE(CommandLine::DecodeHandOver("\n").empty());
    // Cut short by a copy that went away: what arrived whole is taken.
    EXPECT_EQ(CommandLine::DecodeHandOver("/a\n/b"), (Args{"/a", "/b"}));
}

}  // namespace
