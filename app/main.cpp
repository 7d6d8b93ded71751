// The entry point: read the options, find the data pack and the score file, start the game, run
// it, and report 0 after a normal end or 1 after a failed start-up (2 for an unknown option).
#include "app/CommandLine.h"
#include "app/Game.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "app/platform/DataPaths.h"
#include "app/platform/SystemLocales.h"
#include "app/platform/TextCodec.h"
#include "app/platform/VideoDriver.h"
#include "game/LevelSetFile.h"
#include "game/SetInPlay.h"
#include "replay/RunPlayer.h"
#include "replay/TapeFile.h"
#include "rooms/EditorSession.h"
#include "rooms/Room.h"
#include "rooms/SetChooser.h"

// SDL renames main where the platform needs its own entry point.
#include <SDL.h>

#include <cstdio>
#include <memory>
#include <string>

#ifdef _WIN32
#include "gfx/platform/win32/D3DX9Library.h"
#elif !defined(__EMSCRIPTEN__)
#include "gfx/platform/KeptPictures.h"
#endif
#ifdef __EMSCRIPTEN__
#include <emscripten.h>

// Tells the page that the game has ended, so that it does not leave the last picture standing
// as if the game had hung.
EM_JS(void, tellPageTheGameEnded, (), { zembrixPage.ended(); });
#endif

namespace {

// The folder of a file's path ("." for a bare name).
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Prints how a replay played back: its points and name as the table would hold them, and its
// updates; where it differs, the first update that does.
int reportReplay(const RunPlayer& player) {
    const Tape& tape = player.recorded();
    std::printf("points: %u\n", player.points());
    std::printf("name: %s\n", tape.end == RunEnd::Named ? cp1250ToUtf8(player.name()).c_str()
                                                        : "(none: the run is not in the table)");
    std::printf("updates: %u\n", player.updates());
    if (!player.exact() || !player.ended()) {
        std::printf("differs at update %u: %s\n", player.differenceUpdate(),
                    player.exact() ? "the run did not end" : player.firstDifference().c_str());
        return 1;
    }
    return 0;
}

// --check-levels: 0 with the set's title and levels when the file is a valid set, else 2 with
// the line and the reason.
int checkLevelSet(const std::string& file) {
    const FoundSet found = readLevelSetFile(file);
    if (!found.valid) {
        std::fprintf(stderr, "%s\n", describeRefusal(found).c_str());
        return 2;
    }
    std::printf("%s: \"%s\", %zu level(s)\n", file.c_str(), found.set.title.c_str(),
                found.set.levels.size());
    return 0;
}

// A set named on the command line is played; one that cannot be is said on standard error, and
// the game goes on with the built-in set.
void playSetFile(const std::string& file) {
    FoundSet found = readLevelSetFile(file);
    if (!found.valid) {
        std::fprintf(stderr, "zembrix: %s\n", describeRefusal(found).c_str());
        return;
    }
    playSet(found.file, std::move(found.set), found.hash);
}

// A replay of one of the player's sets: the set of that hash in the levels folder, if any, is
// played; else the set stays the built-in one.
void playRecordedSet(std::uint64_t hash) {
    for (FoundSet& found : findLevelSets(levelsFolder())) {
        if (found.valid && found.hash == hash) {
            playSet(found.file, std::move(found.set), found.hash);
            return;
        }
    }
}

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
    case CommandAction::Check:
        return checkLevelSet(line.levels);
    case CommandAction::Play:
    case CommandAction::Replay:
    case CommandAction::Verify:
    case CommandAction::Edit:
        break;
    }
    setLevelsFolder(folderOf(paths.scores) + "/levels");
    if (line.action != CommandAction::Edit && !line.levels.empty()) {
        playSetFile(line.levels);
        offerSetFile(line.levels);
    }
    std::unique_ptr<RunPlayer> player;
    if (!line.replay.empty()) {
        Tape tape;
        std::string why;
        if (!readTapeFile(line.replay, tape, why)) {
            std::fprintf(stderr, "zembrix: %s: %s\n", line.replay.c_str(), why.c_str());
            return 2;
        }
        player = std::make_unique<RunPlayer>(std::move(tape));
    }
    if (line.action == CommandAction::Verify) {
        useUnseenVideo();
    }
    if (player == nullptr && !paths.scoreFolder.empty() && !makeFolders(paths.scoreFolder)) {
        std::fprintf(stderr, "zembrix: cannot create %s; the scores will not be kept\n",
                     paths.scoreFolder.c_str());
    } else if (!carryOverScores(paths)) {
        std::fprintf(stderr, "zembrix: cannot copy %s to %s\n", paths.carriedScores.c_str(),
                     paths.scores.c_str());
    }
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
    keptPictures::useFolder(choosePictureCache(places));
#endif
    Game game;
    if (player != nullptr) {
        game.playBack(player.get());
        game.setPaced(line.action == CommandAction::Replay);
    } else {
        game.recordRuns(folderOf(paths.scores) + "/replays", ZX_VERSION);
    }
    bool complained = false;
    Settings settings =
        settingsPath.empty() ? Settings{} : loadSettings(settingsPath, stderr, &complained);
    // A damaged file is written again in full at the end, with the defaults in its bad lines.
    // A replay keeps nothing: neither the settings nor the score table are written.
    game.keepSettings(settings, player != nullptr ? "" : settingsPath, complained);
    setCurrentLanguage(chooseLanguage(line.language, settings.language, locales));
    if (line.screen != ScreenChoice::Kept) {
        game.getSettings().fullscreen = line.screen == ScreenChoice::FullScreen;
    }
    // Kept in the settings like M's choice.
    if (line.mute) {
        game.getSettings().mute = true;
    }
    if (player != nullptr && setInPlay().builtIn()) {
        playRecordedSet(player->recorded().setHash);
    }
    if (line.action == CommandAction::Edit) {
        // The editor comes first, with the file named (or a new set), in the chosen language.
        if (line.levels.empty()) {
            editorSession().startNew();
        } else {
            editorSession().open(line.levels);
        }
        game.setFirstRoom(RoomEditor);
    }
    if (!game.init(800, 608, paths.pack.c_str(), paths.scores.c_str())) {
        return 1;
    }
    if (player != nullptr && player->recorded().setHash != playedSet().hash) {
        std::fprintf(stderr, "zembrix: %s: recorded with another level set (%s)\n",
                     line.replay.c_str(), player->recorded().setTitle.c_str());
        return 2;
    }
    useScoreTableOfSetInPlay();
    if (line.action == CommandAction::Verify) {
        game.playBackUnseen();
        return reportReplay(*player);
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
