// The settings file: what it keeps, how it reads damaged lines, and that it is
// written whole or not at all.
#include "app/Settings.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Parses text, with the complaints' lines kept in `complaints`.
Settings parse(const std::string& text, std::string& complaints) {
    Settings settings;
    std::FILE* out = std::tmpfile();
    parseSettings(text, "settings.ini", settings, out);
    std::rewind(out);
    complaints.clear();
    for (int c; (c = std::fgetc(out)) != EOF;) {
        complaints += static_cast<char>(c);
    }
    std::fclose(out);
    return settings;
}

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(Settings, WrittenSettingsReadBackTheSame) {
    Settings settings;
    settings.fullscreen = true;
    settings.window = {1200, 912};
    settings.mute = true;
    settings.language = "de";
    std::string complaints;
    EXPECT_EQ(parse(formatSettings(settings), complaints), settings);
    EXPECT_EQ(complaints, "");
    // No language line until the player chooses one: the system's language goes on counting.
    EXPECT_EQ(formatSettings(Settings{}),
              "# Zembrix settings\nfullscreen = off\nwindow = 800x608\nmute = off\n");
}

TEST(Settings, EachDamagedOrUnknownLineKeepsItsDefaultWithOneComplaint) {
    std::string complaints;
    // Blanks around keys and values, CR LF ends, comments and blank lines are fine; the last
    // of a key given twice counts.
    Settings read =
        parse("# c\r\n\n  fullscreen=on \r\n window =\t1024x768\nwindow = 640x480\nlanguage = EN\n",
              complaints);
    EXPECT_TRUE(read.fullscreen);
    EXPECT_EQ(read.window, (WindowSize{640, 480}));
    EXPECT_EQ(read.language, "en");
    EXPECT_EQ(complaints, "");

    read = parse("fullscreen = yes\nwindow = 99x600\nwindow = 800x\nwindow=-800x608\n"
                 "window = 800x608x1\nwindow = 0800x0600x\nvolume = 3\njust words\n=on\n"
                 "language = fr\nlanguage = de_DE\n",
                 complaints);
    EXPECT_EQ(read, Settings{});
    EXPECT_EQ(lineCount(complaints), 11) << complaints;
    EXPECT_NE(complaints.find("settings.ini:1: the bad value of \"fullscreen\" ignored"),
              std::string::npos)
        << complaints;
    EXPECT_NE(complaints.find("settings.ini:7: the unknown line \"volume = 3\" ignored"),
              std::string::npos)
        << complaints;

    // A good line after a bad one of the same key still counts; 16384 is the largest side.
    read = parse("window = 16385x100\nwindow = 16384x100\n", complaints);
    EXPECT_EQ(read.window, (WindowSize{16384, 100}));
    EXPECT_EQ(lineCount(complaints), 1);
}

TEST(Settings, LoadAndSaveOnDisk) {
    zxtest::TempDir dir;
    const std::string path = dir.file("config/zembrix/settings.ini");
    std::FILE* quiet = std::tmpfile();
    bool complained = true;
    // No file: the defaults, silently; nothing is created by reading.
    EXPECT_EQ(loadSettings(path, quiet, &complained), Settings{});
    EXPECT_FALSE(complained);
    EXPECT_FALSE(fs::exists(dir.file("config")));

    Settings settings;
    settings.window = {1000, 760};
    ASSERT_TRUE(saveSettings(path, settings));
    EXPECT_EQ(fs::status(dir.file("config/zembrix")).permissions() & fs::perms::all,
              fs::perms::owner_all);
    EXPECT_EQ(loadSettings(path, quiet, &complained), settings);
    EXPECT_FALSE(complained);

    std::ofstream(path, std::ios::app) << "garbage\n";
    EXPECT_EQ(loadSettings(path, quiet, &complained), settings);
    EXPECT_TRUE(complained);

    // An empty file is no damage; a folder where the file should be is, and refuses a save.
    std::ofstream(path, std::ios::trunc).close();
    EXPECT_EQ(loadSettings(path, quiet, &complained), Settings{});
    EXPECT_FALSE(complained);
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(loadSettings(path, quiet), Settings{});
    EXPECT_FALSE(saveSettings(path, settings));
    EXPECT_TRUE(fs::is_directory(path));
    std::fclose(quiet);
}

} // namespace
