// Settings: the player's choices kept between starts (full screen or not, the window's size, the
// sound muted or not, the language) and the small text file of "key = value" lines that keeps
// them.
#pragma once

#include <cstdio>
#include <string>

// The window's size in the desktop's units (pixels, or on a scaled Windows display the units the
// display scales), written as "WIDTHxHEIGHT".
struct WindowSize {
    int width = 800;
    int height = 608;
    bool operator==(const WindowSize&) const = default;
};

// Every key of the file as KEY(type, member, key, default value). A new setting is one line
// here; its type needs a readSetting and a writeSetting (Settings.cpp has them for bool, written
// "on" / "off", WindowSize, and the language's code, "" until the player chooses one with L).
// A setting written as "" is left out of the file.
#define ZX_SETTINGS(KEY)                                                                           \
    KEY(bool, fullscreen, "fullscreen", false)                                                     \
    KEY(WindowSize, window, "window", {})                                                          \
    KEY(bool, mute, "mute", false)                                                                 \
    KEY(std::string, language, "language", "")

struct Settings {
#define ZX_SETTING_MEMBER(type, member, key, value) type member = value;
    ZX_SETTINGS(ZX_SETTING_MEMBER)
#undef ZX_SETTING_MEMBER
    bool operator==(const Settings&) const = default;
};

// The smallest and largest window side a setting may ask for.
constexpr int kSmallestWindowSide = 100;
constexpr int kLargestWindowSide = 16384;

// Reads the lines of text (named `name` in complaints). Blank lines and lines starting with '#'
// are skipped; of a key given twice the last counts. A line that is damaged, has an unknown key
// or a value out of range changes nothing and writes one line naming it to `complaints`.
// Returns how many lines were complained about.
int parseSettings(const std::string& text, const char* name, Settings& settings,
                  std::FILE* complaints);
// The file's text: a comment line, then every key in order.
std::string formatSettings(const Settings& settings);

// The settings of the file at path, over the defaults: a missing file gives the defaults
// silently, an unreadable one with one line to `complaints`. complained (when given) is set
// when anything in the file was complained about.
Settings loadSettings(const std::string& path, std::FILE* complaints, bool* complained = nullptr);
// Writes the file the crash-safe way, creating its folder (mode 0700) when missing; false, with
// the old file as it was, on any failure.
bool saveSettings(const std::string& path, const Settings& settings);
