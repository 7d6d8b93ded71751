// The zembrix command's options: help and version end the program, --mute starts it muted,
// --lang picks the language, anything else is refused; the help in every language.
#include "app/CommandLine.h"
#include "app/Language.h"
#include "app/platform/DataPaths.h"

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
    EXPECT_EQ(parse({"--lang", "DE", "--lang", "en", "--mute"}).language, "en");
    EXPECT_EQ(parse({"--mute"}).language, "");
    for (const char* bad :
         {"--full-screen", "-v", "data.zxp", "--help=1", "--window=1", "", "--lang"}) {
        const CommandLine line = parse({"--help", bad, "--version"});
        EXPECT_EQ(line.action, CommandAction::Refuse) << bad;
        EXPECT_EQ(line.refused, bad);
    }
    // A set file to play, to edit or to check; a second one, or a check without one, refuses.
    const CommandLine set = parse({"moje.ZXL", "--mute"});
    EXPECT_EQ(set.action, CommandAction::Play);
    EXPECT_EQ(set.levels, "moje.ZXL");
    const CommandLine edit = parse({"--edit", "a b.zxl"});
    EXPECT_EQ(edit.action, CommandAction::Edit);
    EXPECT_EQ(edit.levels, "a b.zxl");
    EXPECT_EQ(parse({"--edit"}).levels, "");
    EXPECT_EQ(parse({"--check-levels", "c.zxl"}).action, CommandAction::Check);
    EXPECT_EQ(parse({"--check-levels"}).action, CommandAction::Refuse);
    EXPECT_EQ(parse({"a.zxl", "b.zxl"}).refused, "b.zxl");
    EXPECT_EQ(parse({".zxl"}).action, CommandAction::Refuse);
    for (const char* code : {"fr", "de_DE", ""}) {
        EXPECT_EQ(parse({"--lang", code}).action, CommandAction::Refuse) << code;
    }
}

// Every language's help names every option, every language's code and the paths it is given.
TEST(CommandLine, TheHelpOfEveryLanguageNamesEveryOptionAndPath) {
    const DataPaths paths{"/p/data.zxp", "/s/scoreboard.zxs", "", ""};
    for (int language = 0; language < kLanguageCount; ++language) {
        setCurrentLanguage(language);
        std::FILE* out = std::tmpfile();
        writeHelp(out, paths, "/c/settings.ini");
        std::rewind(out);
        std::string help;
        for (int c; (c = std::fgetc(out)) != EOF;) {
            help += static_cast<char>(c);
        }
        std::fclose(out);
        for (const std::string& word :
             {std::string("--help"), std::string("--version"), std::string("--fullscreen"),
              std::string("--window"), std::string("--mute"), std::string("--lang"),
              languageCodes("|"), paths.pack, paths.scores, std::string("/c/settings.ini")}) {
            EXPECT_NE(help.find(word), std::string::npos)
                << kLanguages[language].code << " lacks " << word;
        }
    }
    setCurrentLanguage(0);
}

} // namespace
