// GameHarness: a whole game started headless for tests and benchmarks.
#include "tests/support/GameHarness.h"

#include "gfx/RenderDevice.h"
#include "gfx/platform/SdlDevice.h"
#include "rooms/RGame.h"
#include "rooms/RMenu.h"
#include "rooms/RScoreboard.h"
#include "rooms/RoomManager.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace zxtest {

namespace fs = std::filesystem;

std::string builtPackPath() {
    if (const char* bin = std::getenv("ZX_BIN_DIR")) {
        return std::string(bin) + "/data.zxp";
    }
    char* base = SDL_GetBasePath();
    std::string path = std::string(base ? base : "./") + "../bin/data.zxp";
    SDL_free(base);
    return path;
}

SDL_Event keyEvent(Uint32 type, SDL_Keycode key, Uint16 mod, bool repeat, Uint32 windowId) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = windowId;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = mod;
    return event;
}

Place currentPlace() {
    RoomManager* manager = getRoomManager();
    Room* room = manager != nullptr ? manager->getCurrentRoom() : nullptr;
    if (dynamic_cast<RMenu*>(room) != nullptr) {
        return Place::Menu;
    }
    if (dynamic_cast<RScoreboard*>(room) != nullptr) {
        return Place::Scoreboard;
    }
    if (dynamic_cast<RGame*>(room) != nullptr) {
        return Place::Game;
    }
    return Place::None;
}

GameHarness::GameHarness(const std::string& packPath) {
    useHeadlessVideo();
    oldDir = fs::current_path().string();
    std::error_code error;
    if (!packPath.empty()) {
        fs::copy_file(packPath, work.file("data.zxp"), error);
        if (error) {
            std::fprintf(stderr, "cannot copy %s: %s\n", packPath.c_str(), error.message().c_str());
            return;
        }
    }
    setMessageBoxAnswerer([this](const MessageBoxCall& call) {
        boxes.push_back(call);
        if (!answers.empty()) {
            int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (call.type & 0xF) == MB_YESNO ? IDNO : IDOK;
    });
    sdlgfx::setPresentWait(false);
    theGame.setPaced(false);
    fs::current_path(work.path());
    initOk = theGame.init(800, 608);
}

GameHarness::~GameHarness() {
    theGame.shutdown();
    std::error_code ignored;
    fs::current_path(oldDir, ignored);
    setMessageBoxAnswerer({});
    sdlgfx::setPresentWait(true);
}

void GameHarness::push(const SDL_Event& event) {
    SDL_Event copy = event;
    SDL_PushEvent(&copy);
}

void GameHarness::keyDown(SDL_Keycode key) {
    push(keyEvent(SDL_KEYDOWN, key));
}

void GameHarness::keyUp(SDL_Keycode key) {
    push(keyEvent(SDL_KEYUP, key));
}

void GameHarness::tap(SDL_Keycode key) {
    keyDown(key);
    keyUp(key);
}

void GameHarness::mouseMove(int x, int y) {
    SDL_WarpMouseInWindow(theGame.getWindow(), x, y);
}

void GameHarness::mouseUp(int x, int y, Uint8 button) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    push(event);
}

void GameHarness::turn(int count) {
    for (int i = 0; i < count; ++i) {
        theGame.turn([this] {
            int width = 0;
            int height = 0;
            if (!sdlgfx::readBackBuffer(RenderDevice::getDevice(), lastFrame, width, height)) {
                lastFrame.clear();
            }
        });
    }
}

void GameHarness::step() {
    for (SDL_Event event; SDL_PollEvent(&event);) {
        theGame.handleEvent(&event);
    }
    theGame.update();
}

void HeldKey::hold(SDL_Keycode key) {
    if (key == held) {
        return;
    }
    if (held != 0) {
        harness.keyUp(held);
    }
    if (key != 0) {
        harness.keyDown(key);
    }
    held = key;
}

std::uint32_t GameHarness::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= 800 || y >= 608 || lastFrame.empty()) {
        return 0;
    }
    return lastFrame[static_cast<size_t>(y) * 800 + static_cast<size_t>(x)];
}

} // namespace zxtest
