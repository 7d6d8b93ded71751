// CommandLine: reads the options of the zembrix command and prints its usage, help and version.
#include "app/CommandLine.h"

#include "app/Language.h"
#include "app/platform/DataPaths.h"
#include "app/platform/TextCodec.h"

#include <SDL.h>

#include <cstring>

namespace {

// A level-set file: a name ending in ".zxl", in any case, that is not an option.
bool namesLevelSet(const char* argument) {
    const std::size_t length = std::strlen(argument);
    return argument[0] != '-' && length > 4 && SDL_strcasecmp(argument + length - 4, ".zxl") == 0;
}

} // namespace

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
        } else if (std::strcmp(argument, "--lang") == 0 && i + 1 < argc &&
                   findLanguage(argv[i + 1]) >= 0) {
            line.language = kLanguages[findLanguage(argv[++i])].code;
        } else if ((std::strcmp(argument, "--replay") == 0 ||
                    std::strcmp(argument, "--verify-replay") == 0) &&
                   i + 1 < argc) {
            line.action = argument[2] == 'r' ? CommandAction::Replay : CommandAction::Verify;
            line.replay = argv[++i];
        } else if (std::strcmp(argument, "--edit") == 0) {
            line.action = CommandAction::Edit;
        } else if (std::strcmp(argument, "--check-levels") == 0 && i + 1 < argc &&
                   line.levels.empty()) {
            line.action = CommandAction::Check;
            line.levels = argv[++i];
        } else if (namesLevelSet(argument) && line.levels.empty()) {
            line.levels = argument;
        } else {
            return {CommandAction::Refuse, ScreenChoice::Kept, argument, false, "", {}, {}};
        }
    }
    return line;
}

namespace {

// Prints the current language's text of id as UTF-8, with its one %s (if any) filled by
// argument.
void writeText(std::FILE* out, TextId id, const std::string& argument) {
    std::fprintf(out, cp1250ToUtf8(tr(id)).c_str(), argument.c_str());
}

} // namespace

void writeUsage(std::FILE* out) {
    writeText(out, TextId::Usage, languageCodes("|"));
}

void writeHelp(std::FILE* out, const DataPaths& paths, const std::string& settingsPath) {
    writeUsage(out);
    writeText(out, TextId::HelpText, languageCodes(", "));
    writeText(out, TextId::HelpPack, paths.pack);
    writeText(out, TextId::HelpScores, paths.scores);
    writeText(out, TextId::HelpSettings,
              settingsPath.empty() ? cp1250ToUtf8(tr(TextId::HelpNotKept)) : settingsPath);
}

void writeVersion(std::FILE* out, const char* version) {
    std::fprintf(out, "Zembrix %s\n", version);
}
