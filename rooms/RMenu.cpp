// RMenu: layout, drawing and event routing of the main menu, and the actions of its buttons.
#include "rooms/RMenu.h"

#include "app/Game.h"
#include "gfx/Background.h"
#include "pack/PackerReader.h"
#include "rooms/Button.h"
#include "rooms/RoomManager.h"

#include <windows.h>

namespace {
// Logo picture size and its distance from the top edge.
constexpr std::uint32_t LogoWidth = 638;
constexpr std::uint32_t LogoHeight = 158;
constexpr float LogoTop = 16.0f;
// Button height and the gap between two buttons.
constexpr std::uint32_t ButtonHeight = 48;
constexpr std::uint32_t ButtonGap = 16;
constexpr std::uint32_t TileSize = 200;

struct ButtonSpec {
    const char* caption;
    Button::Action action;
};

// Top to bottom: "Graj", "Tabela wyników", "Info", "Wyjście" (Windows-1250).
constexpr ButtonSpec ButtonSpecs[4] = {
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
    buttonCount = 4;
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
    // The buttons stand under the logo, a fifth of the remaining height below it.
    std::uint32_t firstTop = (height - LogoHeight) / 5 + LogoHeight;
    std::uint32_t centreX = width >> 1;
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        std::uint32_t top = firstTop + i * (ButtonHeight + ButtonGap);
        buttons[i] = new Button(static_cast<float>(centreX), static_cast<float>(top),
                                ButtonSpecs[i].caption, ButtonSpecs[i].action);
    }
    background = new Background(TileSize, TileSize, 0.0f, 0.0f, 0, width, height, RepeatXY);
    background->loadTexture(getPackerReader()->getEntry("background.png"));
    logo = new Background(LogoWidth, LogoHeight, static_cast<float>((width - LogoWidth) / 2),
                          LogoTop, 0, 0, 0, RepeatNone);
    logo->loadTexture(getPackerReader()->getEntry("logo.png"));
}

void RMenu::release() {
    for (std::uint32_t i = 0; i < 4; ++i) {
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
