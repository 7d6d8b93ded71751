// The application object: start-up, the main loop and shutdown in their fixed orders.
#include "app/Game.h"

#include "app/platform/VideoDriver.h"
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

Game::Game() {
    setPackerReader(nullptr);
    setScoreTable(nullptr);
    setGame(this);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

Game::~Game() {
    shutdown();
}

bool Game::init(std::uint32_t width, std::uint32_t height, const char* packPath,
                const char* scorePath) {
    setScreenSize(width, height);
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    Uint32 start = SDL_GetTicks();

    PackerReader* packerReader = new PackerReader();
    setPackerReader(packerReader);
    if (!packerReader->open(packPath)) {
        std::fprintf(stderr, "%s: %s\n", packPath, packerReader->getError());
        MessageBoxA(nullptr, "data.zxp not exists!", nullptr, MB_OK);
        return false;
    }

    // Without a display SDL falls back to a driver that shows nothing: no window rather than an
    // invisible game that seems to run.
    if (!videoDriverShowsNothing()) {
        window =
            SDL_CreateWindow("Zembrix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             static_cast<int>(width), static_cast<int>(height), SDL_WINDOW_SHOWN);
    }
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
    PackEntry* entry = getPackerReader()->getEntry("icon.bmp");
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
    delete getPackerReader();
    setPackerReader(nullptr);
    if (ScoreTable* scoreTable = getScoreTable()) {
        scoreTable->save();
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
    SDL_Quit();
    delete smallFont;
    smallFont = nullptr;
}
