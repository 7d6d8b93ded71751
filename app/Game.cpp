// The application object: start-up, the main loop and shutdown in their fixed orders, and the
// process-wide accessors.
#include "app/Game.h"

#include "gfx/Font.h"
#include "gfx/RenderDevice.h"
#include "pack/PackerReader.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"

#include <SDL.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

Game* game = nullptr;
PackerReader* packerReader = nullptr;
ScoreTable* scoreTable = nullptr;
std::uint32_t screenWidth = 0;
std::uint32_t screenHeight = 0;

} // namespace

Font* smallFont = nullptr;

Game* getGame() {
    return game;
}
PackerReader* getPackerReader() {
    return packerReader;
}
ScoreTable* getScoreTable() {
    return scoreTable;
}
std::uint32_t getScreenWidth() {
    return screenWidth;
}
std::uint32_t getScreenHeight() {
    return screenHeight;
}

void setScreenSize(std::uint32_t width, std::uint32_t height) {
    screenWidth = width;
    screenHeight = height;
}

Game::Game() {
    packerReader = nullptr;
    scoreTable = nullptr;
    game = this;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

Game::~Game() {
    shutdown();
}

bool Game::init(std::uint32_t width, std::uint32_t height) {
    setScreenSize(width, height);
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    Uint32 start = SDL_GetTicks();

    packerReader = new PackerReader();
    if (!packerReader->open("data.zxp")) {
        std::fprintf(stderr, "data.zxp: %s\n", packerReader->getError());
        MessageBoxA(nullptr, "data.zxp not exists!", nullptr, MB_OK);
        return false;
    }

    window = SDL_CreateWindow("Zembrix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              static_cast<int>(width), static_cast<int>(height), SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        MessageBoxA(nullptr, SDL_GetError(), "Error!", MB_ICONERROR);
        return false;
    }
    loadIcon();

    renderDevice = new RenderDevice();
    if (!renderDevice->init()) {
        MessageBoxA(nullptr, "Cannot initialze DirectX!", "Error!", MB_ICONERROR);
        return false;
    }

    roomManager = new RoomManager();
    roomManager->changeRoom(RoomMenu);

    scoreTable = new ScoreTable();
    scoreTable->load();

    smallFont = new Font();
    smallFont->create("Arial", 24);

    std::printf("Intialized in %d ms\n", static_cast<int>(SDL_GetTicks() - start));
    running = true;
    return true;
}

void Game::loadIcon() {
    PackEntry* entry = packerReader->getEntry("icon.bmp");
    if (entry == nullptr) {
        return;
    }
    icon = SDL_LoadBMP_RW(SDL_RWFromMem(entry->data, static_cast<int>(entry->size)), 1);
    if (icon != nullptr) {
        SDL_SetWindowIcon(window, icon);
    }
    entry->freeData();
}

void Game::run() {
    while (running) {
        turn();
    }
}

void Game::turn(const std::function<void()>& beforePresent) {
    SDL_Event event;
    SDL_PumpEvents();
    while (SDL_PollEvent(&event)) {
        handleEvent(&event);
    }
    update();
    render(beforePresent);
}

void Game::handleEvent(SDL_Event* event) {
    if (event->type == SDL_QUIT) {
        running = false;
    }
    if (roomManager != nullptr) {
        roomManager->handleEvent(event);
    }
}

void Game::update() {
    if (roomManager != nullptr) {
        roomManager->update();
    }
}

void Game::render(const std::function<void()>& beforePresent) {
    renderDevice->beginFrame();
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
    delete renderDevice;
    renderDevice = nullptr;
    delete roomManager;
    roomManager = nullptr;
    delete packerReader;
    packerReader = nullptr;
    if (scoreTable != nullptr) {
        scoreTable->save();
        delete scoreTable;
        scoreTable = nullptr;
    }
    if (icon != nullptr) {
        SDL_FreeSurface(icon);
        icon = nullptr;
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    SDL_Quit();
    delete smallFont;
    smallFont = nullptr;
}
