// CommandLine: reads the options of the zembrix command and prints its usage, help and version.
#include "app/CommandLine.h"

#include "app/platform/DataPaths.h"

#include <cstring>

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            line.action = CommandAction::Help;
        } else if (std::strcmp(argument, "--version") == 0) {
            line.action = CommandAction::Version;
        } else if (std::strcmp(argument, "--fullscreen") == 0) {
            line.screen = ScreenChoice::FullScreen;
        } else if (std::strcmp(argument, "--window") == 0) {
            line.screen = ScreenChoice::Window;
        } else if (std::strcmp(argument, "--mute") == 0) {
            line.mute = true;
        } else if ((std::strcmp(argument, "--replay") == 0 ||
                    std::strcmp(argument, "--verify-replay") == 0) &&
                   i + 1 < argc) {
            line.action = argument[2] == 'r' ? CommandAction::Replay : CommandAction::Verify;
            line.replay = argv[++i];
        } else {
            return {CommandAction::Refuse, ScreenChoice::Kept, argument, false, {}};
        }
    }
    return line;
}

void writeUsage(std::FILE* out) {
    std::fputs("Usage: zembrix [--fullscreen | --window] [--mute] [--help | --version]\n"
               "       zembrix --replay FILE | --verify-replay FILE\n",
               out);
}

void writeHelp(std::FILE* out, const DataPaths& paths, const std::string& settingsPath) {
    writeUsage(out);
    std::fputs("Zembrix, a breakout-style arcade game: keep the ball in play and break every\n"
               "stone of six levels.\n"
               "\n"
               "Options:\n"
               "  -h, --help     print this help and end\n"
               "  --version      print the name and version and end\n"
               "  --fullscreen   start in full screen\n"
               "  --window       start in a window\n"
               "                 (without either, as the game was left the last time)\n"
               "  --mute         start with the sound muted (M turns it on again)\n"
               "  --replay FILE  show a recorded run (Escape ends it, F plays it faster)\n"
               "  --verify-replay FILE\n"
               "                 play a recorded run back unseen: print its points, name and\n"
               "                 updates; exit 0 when it matches the recording, 1 where it\n"
               "                 differs, 2 for a file that is no replay or is damaged\n"
               "\n"
               "Keys:\n"
               "  mouse          choose in the menu (left button)\n"
               "  Up, Down       highlight a button of the menu (also Tab, Shift+Tab)\n"
               "  Enter, Space   choose the highlighted button of the menu\n"
               "  a, d           move the bat left, right (also the Left and Right arrows)\n"
               "  Space          launch the ball\n"
               "  Enter          next level after a cleared one; a new run after the last\n"
               "  P              pause the run, and go on; losing the focus pauses it too\n"
               "  Escape         back to the menu (asks first during a run); leaves the scores\n"
               "  F11, Alt+Enter switch between the window and the full screen\n"
               "  M              mute or unmute the sound, anywhere in the game\n"
               "\n"
               "Gamepad:\n"
               "  d-pad, stick   move the bat; up, down in the menu; left, right in a box\n"
               "  A              as Space and Enter; chooses in the menu; answers a box\n"
               "  B, Back        as Escape; answers No; Cancel in the name dialog\n"
               "  Start          pause the run, and go on\n"
               "\n"
               "Files:\n"
               "  data.zxp       the data pack: the working directory's, else the installed one\n"
               "  scoreboard.zxs the ten best runs: beside a data.zxp of the working directory,\n"
               "                 else in $XDG_DATA_HOME/zembrix/ (~/.local/share/zembrix/)\n"
               "  replays/       the runs in the table and the last 20, beside the score table\n"
               "  settings.ini   full screen or not, the window's size, the sound muted: in\n"
               "                 $XDG_CONFIG_HOME/zembrix/ (~/.config/zembrix/)\n"
               "\n"
               "Started here, the game would use:\n",
               out);
    std::fprintf(out, "  data pack      %s\n", paths.pack.c_str());
    std::fprintf(out, "  score table    %s\n", paths.scores.c_str());
    std::fprintf(out, "  settings       %s\n",
                 settingsPath.empty() ? "(not kept: no home folder)" : settingsPath.c_str());
}

void writeVersion(std::FILE* out, const char* version) {
    std::fprintf(out, "Zembrix %s\n", version);
}
