// The zembrix command's options: help and version end the program, --mute starts it muted,
// anything else is refused.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLine parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "zembrix");
    return parseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLine, OptionsAndRefusals) {
    EXPECT_EQ(parse({}).action, CommandAction::Play);
    EXPECT_EQ(parse({"--help"}).action, CommandAction::Help);
    EXPECT_EQ(parse({"-h"}).action, CommandAction::Help);
    EXPECT_EQ(parse({"--version"}).action, CommandAction::Version);
    EXPECT_EQ(parse({"--help", "--version"}).action, CommandAction::Version);
    EXPECT_FALSE(parse({}).mute);
    const CommandLine muted = parse({"--mute", "--window"});
    EXPECT_TRUE(muted.action == CommandAction::Play && muted.mute);
    EXPECT_EQ(parse({}).screen, ScreenChoice::Kept);
    EXPECT_EQ(parse({"--window", "--fullscreen"}).screen, ScreenChoice::FullScreen);
    EXPECT_EQ(parse({"--fullscreen", "--window"}).screen, ScreenChoice::Window);
    for (const char* bad : {"--full-screen", "-v", "data.zxp", "--help=1", "--window=1", ""}) {
        const CommandLine line = parse({"--help", bad, "--version"});
        EXPECT_EQ(line.action, CommandAction::Refuse) << bad;
        EXPECT_EQ(line.refused, bad);
    }
}

} // namespace
