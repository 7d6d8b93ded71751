// The application object: start-up, the main loop and shutdown in their fixed orders.
#include "app/Game.h"

#include "app/GameClock.h"
#include "app/Language.h"
#include "app/platform/EventGate.h"
#include "app/platform/Gamepads.h"
#include "app/platform/JitterPad.h"
#include "app/platform/PadEvent.h"
#include "app/platform/TextCodec.h"
#include "app/platform/TextEntry.h"
#include "app/platform/TurnWait.h"
#include "app/platform/VideoDriver.h"
#include "app/platform/WideText.h"
#include "gfx/Font.h"
#include "gfx/RenderDevice.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "replay/RunPlayer.h"
#include "replay/RunRecorder.h"
#include "rooms/RGame.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"
#include "sound/Sound.h"

#include <SDL.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

// The display's scale, by which the window's size in the settings is multiplied: on Windows
// the system's (the program's manifest makes it aware of it, so Windows does not blur it by
// scaling), so that 800 x 608 opens at 1200 x 912 on a display scaled to 150 %; elsewhere 1,
// since X11 scales nothing for SDL2's windows.
double displayScale() {
#ifdef _WIN32
    float dpi = 0.0f;
    if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) == 0 && dpi >= 96.0f) {
        return dpi / 96.0;
    }
#endif
    return 1.0;
}

// The refresh rate of the window's display; 0 when SDL does not know it.
int displayRate(SDL_Window* window) {
    SDL_DisplayMode mode{};
    const int display = window != nullptr ? SDL_GetWindowDisplayIndex(window) : -1;
    return display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
}

// The checksum of the run in the game room; 0 elsewhere.
std::uint32_t runChecksum() {
    const RGame* room = getGameRoom();
    return room != nullptr ? room->checksum() : 0;
}

} // namespace

Game::Game() {
    setPackerReader(nullptr);
    setScoreTable(nullptr);
    sound = new Sound();
    setSound(sound);
    setGame(this);
}

Game::~Game() {
    shutdown();
}

void Game::keepSettings(const Settings& kept, const std::string& path, bool rewrite) {
    settings = kept;
    savedSettings = kept;
    settingsPath = path;
    rewriteSettings = rewrite;
}

bool Game::init(std::uint32_t width, std::uint32_t height, const char* packPath,
                const char* scorePath) {
    setScreenSize(width, height);
    sound->setMuted(settings.mute);
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    Uint32 start = SDL_GetTicks();

    PackerReader* packerReader = new PackerReader();
    setPackerReader(packerReader);
    if (!packerReader->open(packPath)) {
        std::fprintf(stderr, "%s: %s\n", packPath, packerReader->getError());
        showMessageBox(nullptr, tr(TextId::ErrorNoPack), nullptr, MB_OK);
        return false;
    }

    // Without a display SDL falls back to a driver that shows nothing: no window rather than an
    // invisible game that seems to run.
    const VideoStart video = startVideo();
    if (video.shows && video.attempts > 1) {
        std::fprintf(stderr, "The display took the connection at attempt %d\n", video.attempts);
    }
    if (video.shows) {
        // A replay verified unseen opens no window the player would see.
        const bool seen = player == nullptr || paced;
        const Uint32 flags = (seen ? SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE : SDL_WINDOW_HIDDEN) |
                             (settings.fullscreen && seen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        const double scale = displayScale();
        window = SDL_CreateWindow("Zembrix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  static_cast<int>(settings.window.width * scale + 0.5),
                                  static_cast<int>(settings.window.height * scale + 0.5), flags);
    }
    if (window == nullptr) {
        showMessageBox(nullptr, utf8ToCp1250(SDL_GetError()).c_str(), tr(TextId::ErrorTitle),
                       MB_ICONERROR);
        return false;
    }
    SDL_SetWindowMinimumSize(window, kSmallestWindowSide, kSmallestWindowSide);

    renderDevice = new RenderDevice();
    if (!renderDevice->init()) {
        showMessageBox(nullptr, tr(TextId::ErrorDirectx), tr(TextId::ErrorTitle), MB_ICONERROR);
        return false;
    }

    pacer = StepPacer(displayRate(window));
    roomManager = new RoomManager();
    if (player != nullptr) {
        startPlayback();
    } else {
        roomManager->changeRoom(firstRoom);
    }

    ScoreTable* scoreTable = new ScoreTable(scorePath);
    setScoreTable(scoreTable);
    scoreTable->load();

    smallFont = new Font();
    smallFont->create("Arial", 24);

    std::printf("Intialized in %d ms\n", static_cast<int>(SDL_GetTicks() - start));
    running = true;
    return true;
}

void Game::loadIcon() {
    PackEntry* entry = getPackerReader()->getEntry(kIconEntry);
    if (entry == nullptr) {
        return;
    }
    icon = SDL_LoadBMP_RW(SDL_RWFromMem(entry->data, static_cast<int>(entry->size)), 1);
    if (icon != nullptr) {
        SDL_SetWindowIcon(window, icon);
    }
    entry->freeData();
}

void Game::recordRuns(const std::string& folder, const std::string& version) {
    delete recorder;
    recorder = new RunRecorder(folder, version);
    setRunTape(recorder);
}

void Game::playBack(RunPlayer* tapePlayer) {
    player = tapePlayer;
    setRunTape(player);
    if (roomManager != nullptr) {
        startPlayback();
    }
}

void Game::startPlayback() {
    // The recorded run starts at once, at the game time it was recorded at.
    pending.clear();
    gameClock::set(player->startTime());
    roomManager->changeRoom(RoomGame);
}

void Game::playBackUnseen() {
    while (running && !player->ended()) {
        update();
    }
}

void Game::run() {
    while (running) {
        turn();
        // What the menu's first frame does not need starts once it is on the screen, so that
        // the start does not wait for it; later turns find it started. The gamepads: one
        // plugged in before is reported to the next turn. The sound: the device opened, its
        // effects made on a thread of their own. The window's icon.
        gamepads::start();
        if (sound != nullptr) {
            sound->start();
        }
#ifndef _WIN32
        // On Windows the window keeps the program's own icon, in all its sizes, which SDL gives
        // its windows; the pack's single picture would be scaled for the title bar and the
        // taskbar.
        if (!iconAsked) {
            iconAsked = true;
            loadIcon();
        }
#endif
    }
}

void Game::turn(const std::function<void()>& beforePresent) {
    SDL_Event event;
    jitterPad::shake();
    SDL_PumpEvents();
    while (SDL_PollEvent(&event)) {
        handleEvent(&event);
    }
    const int due = paced ? pacer.due(steadyMicroseconds()) : 1;
    if (due == 0) {
        if (sound != nullptr) {
            sound->update();
        }
        waitForTurn(pacer.untilNext());
        return;
    }
    // A replay that has ended stands still on its last picture until it is closed.
    const int updates = player != nullptr && player->ended() ? 0 : due * replaySpeed;
    for (int i = 0; i < updates; ++i) {
        update();
    }
    render(beforePresent);
    if (sound != nullptr) {
        sound->update();
    }
}

void Game::handleEvent(SDL_Event* event) {
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_CLOSE) {
        closeAsked = true;
    }
    if (event->type == SDL_QUIT) {
        // The room may keep the game open when the player closed the window; a quit from
        // elsewhere (a signal, the session's end) always ends it.
        Room* room = roomManager != nullptr ? roomManager->getCurrentRoom() : nullptr;
        const bool kept = closeAsked && room != nullptr && player == nullptr && !room->mayClose();
        closeAsked = false;
        if (kept) {
            return;
        }
        running = false;
    }
    // M mutes and unmutes in every room, but where it is typed into a text; the choice is kept
    // in the settings.
    if (event->type == SDL_KEYDOWN && event->key.keysym.sym == SDLK_m && event->key.repeat == 0 &&
        sound != nullptr && !textEntry::active()) {
        settings.mute = !settings.mute;
        sound->setMuted(settings.mute);
        saveSettingsIfChanged();
    }
    // F11 and Alt+Enter belong to the window, not to the room (Enter alone goes on there).
    if (event->type == SDL_KEYDOWN &&
        (event->key.keysym.sym == SDLK_F11 ||
         ((event->key.keysym.sym == SDLK_RETURN || event->key.keysym.sym == SDLK_KP_ENTER) &&
          (event->key.keysym.mod & KMOD_ALT) != 0))) {
        if (event->key.repeat == 0) {
            toggleFullScreen();
        }
        return;
    }
    noteWindow(event);
    mapMouse(event);
    for (const SDL_Event& admitted : eventGate::admit(*event)) {
        // A replay's room sees the recording's input, never the player's.
        if (player == nullptr) {
            pending.push_back(admitted);
        } else {
            controlReplay(admitted);
        }
    }
}

bool Game::controlReplay(const SDL_Event& event) {
    const std::optional<PadPress> press = padPressOf(event);
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
        running = false;
    } else if ((event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_f &&
                event.key.repeat == 0) ||
               (press && press->down)) {
        replaySpeed = replaySpeed == 1 ? 4 : 1;
    } else {
        return false;
    }
    return true;
}

PictureFit Game::windowFit() const {
    int w = static_cast<int>(getScreenWidth());
    int h = static_cast<int>(getScreenHeight());
    if (window != nullptr) {
        SDL_GetWindowSize(window, &w, &h);
    }
    return PictureFit(static_cast<int>(getScreenWidth()), static_cast<int>(getScreenHeight()), w,
                      h);
}

void Game::mouseInPicture(int& x, int& y) const {
    SDL_GetMouseState(&x, &y);
    windowFit().toPicture(x, y, x, y);
}

void Game::mapMouse(SDL_Event* event) const {
    if (event->type == SDL_MOUSEMOTION) {
        windowFit().toPicture(event->motion.x, event->motion.y, event->motion.x, event->motion.y);
    } else if (event->type == SDL_MOUSEBUTTONDOWN || event->type == SDL_MOUSEBUTTONUP) {
        windowFit().toPicture(event->button.x, event->button.y, event->button.x, event->button.y);
    }
}

void Game::toggleFullScreen() {
    if (window == nullptr) {
        return;
    }
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) == 0;
    if (SDL_SetWindowFullscreen(window, full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "zembrix: cannot switch the full screen: %s\n", SDL_GetError());
        return;
    }
    settings.fullscreen = full;
    saveSettingsIfChanged();
}

// A maximised or full-screen window's size is the desktop's, not the one to start with.
void Game::noteWindow(const SDL_Event* event) {
    if (window == nullptr || event->type != SDL_WINDOWEVENT ||
        event->window.event != SDL_WINDOWEVENT_SIZE_CHANGED ||
        (SDL_GetWindowFlags(window) &
         (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED)) != 0) {
        return;
    }
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    const double scale = displayScale();
    settings.window.width = static_cast<int>(w / scale + 0.5);
    settings.window.height = static_cast<int>(h / scale + 0.5);
}

void Game::keepLanguage(const char* code) {
    settings.language = code;
    saveSettingsIfChanged();
}

void Game::saveSettingsIfChanged() {
    if (settingsPath.empty() || (settings == savedSettings && !rewriteSettings)) {
        return;
    }
    if (saveSettings(settingsPath, settings)) {
        savedSettings = settings;
        rewriteSettings = false;
    } else {
        std::fprintf(stderr, "zembrix: cannot write %s; the settings are not kept\n",
                     settingsPath.c_str());
        settingsPath.clear();
    }
}

void Game::update() {
    const std::uint32_t now = gameClock::updates();
    if (recorder != nullptr) {
        recorder->step(now, false);
    }
    deliverEvents();
    if (recorder != nullptr) {
        recorder->step(now, true);
    }
    if (roomManager != nullptr) {
        roomManager->update();
    }
    if (recorder != nullptr) {
        recorder->updated(runChecksum);
    }
    if (player != nullptr) {
        player->updated(now, runChecksum);
    }
    gameClock::tick();
}

void Game::deliverEvents() {
    const std::uint32_t now = gameClock::updates();
    if (player != nullptr) {
        const Uint32 windowId = window != nullptr ? SDL_GetWindowID(window) : 0;
        while (const std::optional<SDL_Event> event = player->nextEvent(now, windowId)) {
            SDL_Event copy = *event;
            if (roomManager != nullptr) {
                roomManager->handleEvent(&copy);
            }
        }
        return;
    }
    // Each event is stamped with the game's time: a window event's with the update it happened
    // in (the focus a box took, with the update that opened it), every other with this one's;
    // and kept on the run's tape.
    std::vector<SDL_Event> events;
    events.swap(pending);
    for (SDL_Event& event : events) {
        const std::uint32_t happened =
            event.type == SDL_WINDOWEVENT ? stamps.updateAt(event.common.timestamp, now) : now;
        event.common.timestamp = gameClock::millisecondsAt(happened);
        if (recorder != nullptr) {
            recorder->noteEvent(event, static_cast<std::uint8_t>(std::min(now - happened, 255u)));
        }
        if (roomManager != nullptr) {
            roomManager->handleEvent(&event);
        }
    }
    stamps.begin(now, SDL_GetTicks());
}

// Nothing is drawn while the device is lost (the lock screen, a UAC prompt, sleep).
void Game::render(const std::function<void()>& beforePresent) {
    if (!renderDevice->beginFrame()) {
        return;
    }
    roomManager->draw();
    if (beforePresent) {
        beforePresent();
    }
    renderDevice->endFrame();
}

void Game::quit() {
    running = false;
}

void Game::shutdown() {
    running = false;
    saveSettingsIfChanged();
    delete renderDevice;
    renderDevice = nullptr;
    delete roomManager;
    roomManager = nullptr;
    delete getPackerReader();
    setPackerReader(nullptr);
    if (ScoreTable* scoreTable = getScoreTable()) {
        if (player == nullptr) {
            scoreTable->save();
        }
        delete scoreTable;
        setScoreTable(nullptr);
    }
    if (icon != nullptr) {
        SDL_FreeSurface(icon);
        icon = nullptr;
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    setRunTape(nullptr);
    delete recorder;
    recorder = nullptr;
    pending.clear();
    gamepads::stop();
    // The audio device closes before SDL does.
    delete sound;
    sound = nullptr;
    setSound(nullptr);
    SDL_Quit();
    delete smallFont;
    smallFont = nullptr;
}
