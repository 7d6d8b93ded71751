// The entry point: read the options, find the data pack and the score file, start the game, run
// it, and report 0 after a normal end or 1 after a failed start-up (2 for an unknown option).
#include "app/CommandLine.h"
#include "app/Game.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "app/platform/DataPaths.h"
#include "app/platform/SystemLocales.h"

// SDL renames main where the platform needs its own entry point.
#include <SDL.h>

#include <cstdio>

#ifdef _WIN32
#include "gfx/platform/win32/D3DX9Library.h"
#endif
#ifdef __EMSCRIPTEN__
#include <emscripten.h>

// Tells the page that the game has ended, so that it does not leave the last picture standing
// as if the game had hung.
EM_JS(void, tellPageTheGameEnded, (), { zembrixPage.ended(); });
#endif

namespace {

// The installed data folder (ZX_DATA_FROM_EXECUTABLE relative to the executable's folder, so
// that any prefix and an unpacked package work; ZX_INSTALLED_DATA as built for) and
// ZX_VERSION come from the build.
int play(int argc, char** argv) {
#ifdef _WIN32
    // Windows does not carry D3DX: without it the game says so and ends before anything shows.
    if (!loadD3DX9()) {
        return 1;
    }
#endif
    const CommandLine line = parseCommandLine(argc, argv);
    const DataPlaces places = currentDataPlaces(ZX_DATA_FROM_EXECUTABLE, ZX_INSTALLED_DATA);
    const DataPaths paths = chooseDataPaths(places);
    const std::string settingsPath = chooseSettingsPath(places);
    // The language: --lang, else the settings' one, else the system's; the help speaks it too.
    const std::vector<std::string> locales = systemLocales();
    setCurrentLanguage(chooseLanguage(line.language, "", locales));
    switch (line.action) {
    case CommandAction::Help:
        if (!settingsPath.empty()) {
            setCurrentLanguage(chooseLanguage(
                line.language, loadSettings(settingsPath, stderr).language, locales));
        }
        writeHelp(stdout, paths, settingsPath);
        return 0;
    case CommandAction::Version:
        writeVersion(stdout, ZX_VERSION);
        return 0;
    case CommandAction::Refuse:
        std::fprintf(stderr, "zembrix: unknown option '%s'\n", line.refused.c_str());
        writeUsage(stderr);
        return 2;
    case CommandAction::Play:
        break;
    }
    if (!paths.scoreFolder.empty() && !makeFolders(paths.scoreFolder)) {
        std::fprintf(stderr, "zembrix: cannot create %s; the scores will not be kept\n",
                     paths.scoreFolder.c_str());
    } else if (!carryOverScores(paths)) {
        std::fprintf(stderr, "zembrix: cannot copy %s to %s\n", paths.carriedScores.c_str(),
                     paths.scores.c_str());
    }
    Game game;
    bool complained = false;
    Settings settings =
        settingsPath.empty() ? Settings{} : loadSettings(settingsPath, stderr, &complained);
    // A damaged file is written again in full at the end, with the defaults in its bad lines.
    game.keepSettings(settings, settingsPath, complained);
    setCurrentLanguage(chooseLanguage(line.language, settings.language, locales));
    if (line.screen != ScreenChoice::Kept) {
        game.getSettings().fullscreen = line.screen == ScreenChoice::FullScreen;
    }
    // Kept in the settings like M's choice.
    if (line.mute) {
        game.getSettings().mute = true;
    }
    if (!game.init(800, 608, paths.pack.c_str(), paths.scores.c_str())) {
        return 1;
    }
    game.run();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const int code = play(argc, argv);
#ifdef __EMSCRIPTEN__
    tellPageTheGameEnded();
#endif
    return code;
}
