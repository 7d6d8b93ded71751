// RMenu: layout, drawing and event routing of the main menu, and the actions of its buttons.
#include "rooms/RMenu.h"

#include "app/Game.h"
#include "gfx/Background.h"
#include "pack/PackerReader.h"
#include "rooms/Button.h"
#include "rooms/MenuLayout.h"
#include "rooms/RoomManager.h"

#include <windows.h>

namespace {
struct ButtonSpec {
    const char* caption;
    Button::Action action;
};

// Top to bottom: "Graj", "Tabela wyników", "Info", "Wyjście" (Windows-1250).
constexpr ButtonSpec ButtonSpecs[kButtonCount] = {
    {"Graj", startGame},
    {"Tabela wynik\xF3w", showScoreboard},
    {"Info", showInfo},
    {"Wyj\x9C"
     "cie",
     quitGame},
};
} // namespace

void startGame() {
    getRoomManager()->changeRoom(RoomGame);
}

void showScoreboard() {
    getRoomManager()->changeRoom(RoomScoreboard);
}

void showInfo() {
    MessageBoxA(nullptr,
                "Tw\xF3rca gry: Vorlenko\nJest to remake starej gry stworzonej w Game Maker 8.0 "
                "nazwanej Plumbaro 2",
                "Info", MB_ICONINFORMATION);
}

void quitGame() {
    getGame()->quit();
}

RMenu::RMenu() {
    buttonCount = kButtonCount;
}

RMenu::~RMenu() {
    release();
}

void RMenu::update() {
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        if (buttons[i] && buttons[i]->update()) {
            return;
        }
    }
}

void RMenu::draw() {
    if (background) {
        background->draw();
    }
    if (logo) {
        logo->draw();
    }
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        if (buttons[i]) {
            buttons[i]->draw();
        }
    }
}

void RMenu::handleEvent(SDL_Event* event) {
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        if (buttons[i]) {
            buttons[i]->handleEvent(event);
        }
    }
}

void RMenu::create() {
    std::uint32_t width = getScreenWidth();
    std::uint32_t height = getScreenHeight();
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        buttons[i] = new Button(static_cast<float>(buttonCentre(width)),
                                static_cast<float>(buttonTop(height, i)), ButtonSpecs[i].caption,
                                ButtonSpecs[i].action);
    }
    background =
        new Background(kBackgroundTile, kBackgroundTile, 0.0f, 0.0f, 0, width, height, RepeatXY);
    background->loadTexture(getPackerReader()->getEntry("background.png"));
    logo = new Background(kLogoWidth, kLogoHeight, static_cast<float>(logoLeft(width)),
                          static_cast<float>(kLogoTop), 0, 0, 0, RepeatNone);
    logo->loadTexture(getPackerReader()->getEntry("logo.png"));
}

void RMenu::release() {
    for (std::uint32_t i = 0; i < kButtonCount; ++i) {
        if (buttons[i]) {
            delete buttons[i];
            buttons[i] = nullptr;
        }
    }
    if (background) {
        delete background;
        background = nullptr;
    }
    if (logo) {
        delete logo;
        logo = nullptr;
    }
}
