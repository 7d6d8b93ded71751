// A run driven by a virtual game controller through SDL's GameController API: plugged in while
// the game runs, the menu, the bat, launch, pause, Escape's question, the boxes and the name
// dialog, and pulled out with a direction held.
#include "app/Language.h"
#include "app/platform/Gamepads.h"
#include "app/platform/ui/MessageBoxWindow.h"
#include "game/Ball.h"
#include "game/Player.h"
#include "rooms/RGame.h"
#include "rooms/RMenu.h"
#include "rooms/RoomManager.h"
#include "score/platform/NameDialogWindow.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/GameHarness.h"
#include "tests/support/VirtualPad.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using zxtest::Place;

class GamepadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(harness.started());
        // As Game::run does: the gamepads start once the first frame is on the screen.
        harness.turn();
        ASSERT_TRUE(gamepads::start());
        pad = std::make_unique<zxtest::VirtualPad>();
        ASSERT_TRUE(pad->plugged()) << SDL_GetError();
        harness.turn(); // the game opens the pad it was told of
    }
    // Presses and releases a button, a turn each.
    void tap(SDL_GameControllerButton button) {
        pad->button(button, true);
        harness.turn();
        pad->button(button, false);
        harness.turn();
    }
    RGame* game() { return getGameRoom(); }
    // The bat's x after each of count turns.
    std::vector<std::uint32_t> batPath(int count) {
        std::vector<std::uint32_t> xs;
        for (int i = 0; i < count; ++i) {
            harness.turn();
            xs.push_back(game()->getPlayer()->getX());
        }
        return xs;
    }
    // Goes from the menu to the game with down and A.
    void enterGame() {
        tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        tap(SDL_CONTROLLER_BUTTON_A);
        ASSERT_EQ(zxtest::currentPlace(), Place::Game);
    }

    zxtest::GameHarness harness;
    std::unique_ptr<zxtest::VirtualPad> pad;
};

TEST_F(GamepadTest, MenuHighlightMovesWithUpAndDownAndAChooses) {
    RMenu* menu = dynamic_cast<RMenu*>(getRoomManager()->getCurrentRoom());
    ASSERT_NE(menu, nullptr);
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(menu->getHighlight(), 0);
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(menu->getHighlight(), 1);
    // The stick's up, pushed past half-way and back, counts once.
    pad->axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    harness.turn();
    pad->axis(SDL_CONTROLLER_AXIS_LEFTY, -14000);
    harness.turn();
    pad->axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    harness.turn();
    EXPECT_EQ(menu->getHighlight(), 0);
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(zxtest::currentPlace(), Place::Game);
}

// A stick that never rests still (a worn or cheap pad) sends axis reports all the time; inside
// its dead zone they reach no room, so a click's release stays the last event the menu saw.
TEST_F(GamepadTest, AJitteringStickNeitherLosesClicksNorMovesTheHighlight) {
    RMenu* menu = dynamic_cast<RMenu*>(getRoomManager()->getCurrentRoom());
    ASSERT_NE(menu, nullptr);
    harness.mouseMove(400, 270); // "Graj"
    harness.turn();
    harness.mouseUp(400, 270);
    // SDL reads the pads after the queue's events: these reports come after the release.
    for (Sint16 value : {300, -300, 120, -40}) {
        pad->axis(SDL_CONTROLLER_AXIS_LEFTX, value);
        pad->axis(SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(-value));
        SDL_JoystickUpdate();
    }
    harness.turn();
    EXPECT_EQ(zxtest::currentPlace(), Place::Game);
}

TEST_F(GamepadTest, AStickPushedPastItsThresholdAndHeldMovesTheHighlightOnce) {
    RMenu* menu = dynamic_cast<RMenu*>(getRoomManager()->getCurrentRoom());
    ASSERT_NE(menu, nullptr);
    harness.mouseMove(0, 0);
    harness.turn();
    // Held down past the threshold and shaking there: one crossing, one step.
    for (Sint16 value : {20000, 26000, 19000, 32767, 24000, 30000}) {
        pad->axis(SDL_CONTROLLER_AXIS_LEFTY, value);
        harness.turn();
    }
    EXPECT_EQ(menu->getHighlight(), 0);
    pad->axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    harness.turn();
    EXPECT_EQ(menu->getHighlight(), 0);
}

TEST_F(GamepadTest, DpadAndStickSteerTheBatWithTheKeysAcceleration) {
    ASSERT_NO_FATAL_FAILURE(enterGame());
    const std::uint32_t start = game()->getPlayer()->getX();
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    const std::vector<std::uint32_t> right = batPath(6);
    EXPECT_EQ(right, (std::vector<std::uint32_t>{start + 2, start + 6, start + 12, start + 20,
                                                 start + 30, start + 40}));
    // The stick held right too: the d-pad's release leaves the bat steered by the stick.
    pad->axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    harness.turn();
    EXPECT_EQ(game()->getPlayer()->getSpeed(), 10);
    // Straight across to the left: right is let go and left taken, as d let go for a.
    pad->axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    batPath(12);
    EXPECT_EQ(game()->getPlayer()->getSpeed(), -10);
    pad->axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    harness.turn();
    EXPECT_EQ(game()->getPlayer()->getSpeed(), 0);
    // Pulled out with the d-pad held: the bat stops rather than run on.
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    harness.turn();
    pad->unplug();
    harness.turn();
    const std::uint32_t stopped = game()->getPlayer()->getX();
    harness.turn(3);
    EXPECT_EQ(game()->getPlayer()->getX(), stopped);
}

TEST_F(GamepadTest, ALaunchesStartPausesAndBAsks) {
    ASSERT_NO_FATAL_FAILURE(enterGame());
    tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(game()->isPaused());
    tap(SDL_CONTROLLER_BUTTON_A); // paused: no launch
    EXPECT_EQ(game()->getBall()->getState(), Waiting);
    tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(game()->isPaused());
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(game()->getBall()->getState(), Flying);
    // B and Back each ask Escape's question; No keeps the run.
    const std::size_t before = harness.boxes.size();
    tap(SDL_CONTROLLER_BUTTON_B);
    tap(SDL_CONTROLLER_BUTTON_BACK);
    ASSERT_EQ(harness.boxes.size(), before + 2);
    EXPECT_EQ(harness.boxes.back().type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(zxtest::currentPlace(), Place::Game);
}

// Y in the menu is L: the next language, through SDL's controller as a player presses it.
TEST_F(GamepadTest, YInTheMenuSwitchesTheLanguage) {
    for (int step = 1; step <= kLanguageCount; ++step) {
        tap(SDL_CONTROLLER_BUTTON_Y);
        EXPECT_EQ(currentLanguage(), step % kLanguageCount);
    }
    EXPECT_EQ(zxtest::currentPlace(), Place::Menu);
}

// A pad plugged in before the game starts: the gamepads start after the first frame, as
// Game::run starts them, and the pad answers in the menu's next turn.
TEST(GamepadStart, APadPluggedInBeforeTheStartWorksFromTheFirstMenuFrame) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    {
        zxtest::VirtualPad pad;
        ASSERT_TRUE(pad.plugged()) << SDL_GetError();
        zxtest::GameHarness harness;
        ASSERT_TRUE(harness.started());
        harness.turn();
        ASSERT_TRUE(gamepads::start());
        RMenu* menu = dynamic_cast<RMenu*>(getRoomManager()->getCurrentRoom());
        ASSERT_NE(menu, nullptr);
        pad.button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
        harness.turn();
        EXPECT_EQ(menu->getHighlight(), 0);
        pad.button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
        harness.turn();
        pad.unplug(); // before the game's end quits SDL
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

// The boxes and the name dialog of our own drawing, answered from the pad alone.
TEST(GamepadDialogs, BoxesAndTheNameDialogAnswerThePad) {
    zxtest::DialogDriver driver;
    ASSERT_TRUE(gamepads::start());
    zxtest::VirtualPad pad;
    ASSERT_TRUE(pad.plugged()) << SDL_GetError();
    // A player at the pad: at each frame of the dialog the next button of the script goes down
    // or up, and SDL looks at the pad at once (a press let go before it looks would be missed).
    std::vector<SDL_GameControllerButton> script;
    std::size_t step = 0; // a press and a release per button
    driver.onFrame = [&](const zxtest::DialogFrame&) {
        if (step / 2 < script.size()) {
            pad.button(script[step / 2], step % 2 == 0);
            ++step;
            SDL_PumpEvents();
        }
    };
    // Starts a script once every button is let go and what SDL reported so far is taken as the
    // game would (opening the pad).
    auto play = [&](std::vector<SDL_GameControllerButton> buttons) {
        for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
            pad.button(static_cast<SDL_GameControllerButton>(button), false);
        }
        for (SDL_Event event; SDL_PollEvent(&event) != 0;) {
            gamepads::translate(event);
        }
        script = std::move(buttons);
        step = 0;
    };
    auto run = [&](std::vector<SDL_GameControllerButton> buttons, UINT type) {
        play(std::move(buttons));
        return runMessageBoxWindow(nullptr, "?", "Zembrix", type);
    };
    const UINT question = MB_YESNO | MB_ICONQUESTION;
    EXPECT_EQ(run({SDL_CONTROLLER_BUTTON_A}, question), IDYES);
    EXPECT_EQ(run({SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_A}, question), IDNO);
    EXPECT_EQ(run({SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                   SDL_CONTROLLER_BUTTON_A},
                  question),
              IDYES);
    EXPECT_EQ(run({SDL_CONTROLLER_BUTTON_B}, question), IDNO);
    EXPECT_EQ(run({SDL_CONTROLLER_BUTTON_B}, MB_ICONINFORMATION), IDOK);

    // The name dialog: A is OK with the offered name, B is Cancel.
    std::string name = "Ala";
    play({SDL_CONTROLLER_BUTTON_A});
    EXPECT_EQ(runNameDialogWindow(name), NameDialogOutcome::Accepted);
    EXPECT_EQ(name, "Ala");
    play({SDL_CONTROLLER_BUTTON_B});
    EXPECT_EQ(runNameDialogWindow(name), NameDialogOutcome::Cancelled);
    pad.unplug();
    gamepads::stop();
}

} // namespace
