// CommandLine: the options of the zembrix command (--help, --version, --fullscreen, --window,
// --mute, --lang, the replays' and the level sets') and the texts they print.
#pragma once

#include <cstdio>
#include <string>

struct DataPaths;

// What the command line asks for.
enum class CommandAction {
    Play,    // no options: start the game
    Help,    // --help or -h: print the help and end with 0
    Version, // --version: print the name and version and end with 0
    Refuse,  // anything else: print the usage to standard error and end with 2
    Replay,  // --replay FILE: show a recorded run in the window
    Verify,  // --verify-replay FILE: play a recorded run back unseen and compare it
    Edit,    // --edit [FILE]: open the level editor, with a set file or a new set
    Check,   // --check-levels FILE: read a level set and say whether it is valid
};

// Where the game shows itself.
enum class ScreenChoice {
    Kept,       // as the settings say (the last start's choice)
    FullScreen, // --fullscreen
    Window,     // --window
};

struct CommandLine {
    CommandAction action = CommandAction::Play;
    ScreenChoice screen = ScreenChoice::Kept;
    std::string refused;  // the first argument that is not an option of the game
    bool mute = false;    // --mute: start with the sound muted
    std::string language; // --lang CODE: a language with a catalogue; "" when not given
    std::string replay;   // the replay file of --replay and --verify-replay
    std::string levels;   // a level-set file: to play, to edit or to check; "" for none
};

// Reads the arguments after the program's name: of --help, --version, --replay FILE,
// --verify-replay FILE, --edit and --check-levels FILE the last one given decides, and so of
// --fullscreen and --window, and of --lang's codes; --mute may stand with any. One argument ending
// in ".zxl" names a level-set file (to play, or for --edit, to edit). --lang without a known
// code, an option without its file, a second file or an unknown option refuses the whole line.
CommandLine parseCommandLine(int argc, const char* const* argv);

// The one-line usage, in the current language (as UTF-8, like the help).
void writeUsage(std::FILE* out);
// The usage, the keys of the game and where its files are kept, with the paths this start would
// use ("" for settings that are not kept), in the current language.
void writeHelp(std::FILE* out, const DataPaths& paths, const std::string& settingsPath);
// "Zembrix <version>".
void writeVersion(std::FILE* out, const char* version);
