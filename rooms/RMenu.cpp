// RMenu: layout, drawing and event routing of the main menu, and the actions of its buttons.
#include "rooms/RMenu.h"

#include "app/Game.h"
#include "app/Language.h"
#include "app/platform/WideText.h"
#include "gfx/Background.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "rooms/Button.h"
#include "rooms/MenuLayout.h"
#include "rooms/RoomManager.h"

#include "app/platform/PadEvent.h"

#include <windows.h>

namespace {
struct ButtonSpec {
    TextId caption;
    Button::Action action;
};

// Top to bottom: "Graj", "Tabela wyników", "Info", "Wyjście" in Polish.
constexpr ButtonSpec ButtonSpecs[kButtonCount] = {
    {TextId::MenuPlay, startGame},
    {TextId::MenuScores, showScoreboard},
    {TextId::MenuInfo, showInfo},
    {TextId::MenuQuit, quitGame},
};
// What an event asks of the menu: its highlight, or the next language.
enum class MenuCommand { None, Next, Previous, Choose, NextLanguage };

MenuCommand menuCommandOf(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN) {
        switch (event.key.keysym.sym) {
        case SDLK_DOWN:
            return MenuCommand::Next;
        case SDLK_UP:
            return MenuCommand::Previous;
        case SDLK_TAB:
            return (event.key.keysym.mod & KMOD_SHIFT) ? MenuCommand::Previous : MenuCommand::Next;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            // A key held since another room (the Enter that answered its box) chooses nothing.
            return event.key.repeat == 0 ? MenuCommand::Choose : MenuCommand::None;
        case SDLK_l:
            return event.key.repeat == 0 ? MenuCommand::NextLanguage : MenuCommand::None;
        default:
            return MenuCommand::None;
        }
    }
    const std::optional<PadPress> press = padPressOf(event);
    if (!press || !press->down) {
        return MenuCommand::None;
    }
    switch (press->button) {
    case PadButton::Down:
        return MenuCommand::Next;
    case PadButton::Up:
        return MenuCommand::Previous;
    case PadButton::A:
        return MenuCommand::Choose;
    case PadButton::Y:
        return MenuCommand::NextLanguage;
    default:
        return MenuCommand::None;
    }
}

} // namespace

void startGame() {
    getRoomManager()->changeRoom(RoomGame);
}

void showScoreboard() {
    getRoomManager()->changeRoom(RoomScoreboard);
}

void showInfo() {
    showMessageBox(nullptr, tr(TextId::InfoText), tr(TextId::InfoTitle), MB_ICONINFORMATION);
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
    // The mouse in the picture's coordinates, wherever the window shows the picture.
    int x = 0;
    int y = 0;
    if (getGame() != nullptr) {
        getGame()->mouseInPicture(x, y);
    } else {
        SDL_GetMouseState(&x, &y);
    }
    followMouse(x, y);
    chooser.update(x, y);
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        if (buttons[i] && buttons[i]->update(highlight.get() == static_cast<int>(i),
                                             buttons[i]->contains(x, y))) {
            return;
        }
    }
}

void RMenu::followMouse(int x, int y) {
    if (x != mouseX || y != mouseY) {
        mouseX = x;
        mouseY = y;
        highlight.follow(buttonAt(x, y));
    }
}

int RMenu::buttonAt(int x, int y) const {
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        if (buttons[i] && buttons[i]->contains(x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
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
    chooser.draw();
}

void RMenu::handleEvent(SDL_Event* event) {
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        if (buttons[i]) {
            buttons[i]->handleEvent(event);
        }
    }
    // The highlight follows each move of the mouse as it comes, not only once a turn: Enter
    // pressed just after the mouse left a button, in the same turn, must not choose it.
    if (event->type == SDL_MOUSEMOTION) {
        followMouse(event->motion.x, event->motion.y);
    }
    chooser.handleEvent(*event);
    switch (menuCommandOf(*event)) {
    case MenuCommand::Next:
        highlight.next();
        break;
    case MenuCommand::Previous:
        highlight.previous();
        break;
    case MenuCommand::Choose:
        if (Button* chosen = getButton(static_cast<std::uint32_t>(highlight.get()))) {
            chosen->choose(); // the action may delete this room: touch nothing after it
        }
        break;
    case MenuCommand::NextLanguage:
        nextLanguage();
        break;
    default:
        break;
    }
}

void RMenu::create() {
    std::uint32_t width = getScreenWidth();
    std::uint32_t height = getScreenHeight();
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        buttons[i] = new Button(static_cast<float>(buttonCentre(width)),
                                static_cast<float>(buttonTop(height, i)),
                                tr(ButtonSpecs[i].caption), ButtonSpecs[i].action);
    }
    background =
        new Background(kBackgroundTile, kBackgroundTile, 0.0f, 0.0f, 0, width, height, RepeatXY);
    background->loadTexture(getPackerReader()->getEntry(kBackgroundEntry));
    logo = new Background(kLogoWidth, kLogoHeight, static_cast<float>(logoLeft(width)),
                          static_cast<float>(kLogoTop), 0, 0, 0, RepeatNone);
    logo->loadTexture(getPackerReader()->getEntry(kLogoEntry));
    chooser.create();
}

void RMenu::nextLanguage() {
    setCurrentLanguage((currentLanguage() + 1) % kLanguageCount);
    for (std::uint32_t i = 0; i < buttonCount; ++i) {
        if (buttons[i]) {
            buttons[i]->setCaption(tr(ButtonSpecs[i].caption));
        }
    }
    if (getGame() != nullptr) {
        getGame()->keepLanguage(currentLanguageCode());
    }
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
