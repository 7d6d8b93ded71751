// Tests of the main menu on the headless game: layout, hover tint, clicks, the keys' highlight
// and the actions.
#include "app/Game.h"
#include "app/Language.h"
#include "app/platform/PadEvent.h"
#include "gfx/Sprite.h"
#include "rooms/Button.h"
#include "rooms/MenuHighlight.h"
#include "rooms/RMenu.h"
#include "rooms/RoomManager.h"
#include "tests/support/BoxCheck.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t Tinted = 0xFFC8C8C8;
constexpr std::uint32_t Untinted = 0xFFFFFFFF;

class MenuTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(harness.started()); }

    RMenu* menu() { return dynamic_cast<RMenu*>(getRoomManager()->getCurrentRoom()); }
    Button* button(std::uint32_t index) {
        RMenu* room = menu();
        return room ? room->getButton(index) : nullptr;
    }
    std::uint32_t tint(std::uint32_t index) { return button(index)->getSprite()->getColour(); }
    // Moves the mouse to (x, y), then turns the loop once.
    void moveTo(int x, int y) {
        harness.mouseMove(x, y);
        harness.turn();
    }
    // Presses a key, then turns the loop once.
    void pressKey(SDL_Keycode key) {
        harness.keyDown(key);
        harness.turn();
    }
    // Moves the mouse to (x, y) and releases a mouse button there, in one turn.
    void clickAt(int x, int y, Uint8 which = SDL_BUTTON_LEFT) {
        harness.mouseMove(x, y);
        harness.mouseUp(x, y, which);
        harness.turn();
    }

    zxtest::GameHarness harness;
};

TEST_F(MenuTest, FourButtonsStackUnderTheLogoInTheMiddle) {
    RMenu* room = menu();
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->getButtonCount(), 4u);
    // "Wyjście": the escape is closed before "cie", whose c would continue the hex number.
    const char* captions[4] = {"Graj", "Tabela wynik\xF3w", "Info",
                               ("Wyj\x9C"
                                "cie")};
    const float tops[4] = {248.0f, 312.0f, 376.0f, 440.0f};
    for (std::uint32_t i = 0; i < 4; ++i) {
        Button* b = room->getButton(i);
        ASSERT_NE(b, nullptr) << i;
        EXPECT_FLOAT_EQ(b->getX(), 320.0f) << i;
        EXPECT_FLOAT_EQ(b->getY(), tops[i]) << i;
        EXPECT_STREQ(b->getCaption(), captions[i]) << i;
        EXPECT_EQ(b->getSprite()->getWidth(), 160u);
        EXPECT_EQ(b->getSprite()->getHeight(), 48u);
        D3DXVECTOR2 position = b->getSprite()->getPosition();
        EXPECT_FLOAT_EQ(position.x, 320.0f);
        EXPECT_FLOAT_EQ(position.y, tops[i]);
    }
    EXPECT_FALSE(room->getButton(4));
    // Every picture and font was found in the pack.
    EXPECT_TRUE(harness.boxes.empty());
}

TEST_F(MenuTest, LogoStandsCentredUnderTheTopEdgeOverTheTiledBackground) {
    moveTo(10, 600);
    // The background repeats every 200 pixels; beside the logo (x < 81 or x >= 719) it shows
    // bare, so the column x % 200 there tells what the background alone looks like.
    auto bare = [this](int x, int y) {
        int column = x % 200;
        if (column <= 80) {
            return harness.pixel(column, y);
        }
        if (column >= 119) {
            return harness.pixel(600 + column, y);
        }
        return harness.pixel(x, y);
    };
    int left = 800, right = -1, top = 608, bottom = -1;
    for (int y = 0; y < 248; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (harness.pixel(x, y) != bare(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    // The logo's picture covers most of its 638 x 158 box at (81, 16), and nothing else is
    // drawn above the buttons.
    EXPECT_GE(left, 81);
    EXPECT_LE(left, 120);
    EXPECT_LE(right, 718);
    EXPECT_GE(right, 680);
    EXPECT_GE(top, 16);
    EXPECT_LE(top, 50);
    EXPECT_LE(bottom, 173);
    EXPECT_GE(bottom, 140);
}

TEST_F(MenuTest, HoverTintCoversTheButtonEdgesInclusive) {
    struct Probe {
        int x, y;
        std::uint32_t first; // expected tint of the first button
    };
    // The first button spans 320..480 by 248..296, both ends counted.
    const Probe probes[] = {
        {320, 248, Tinted},   {480, 248, Tinted},   {320, 296, Tinted},   {480, 296, Tinted},
        {319, 248, Untinted}, {481, 248, Untinted}, {320, 247, Untinted}, {480, 297, Untinted},
        {400, 272, Tinted},   {10, 10, Untinted},
    };
    for (const Probe& probe : probes) {
        moveTo(probe.x, probe.y);
        EXPECT_EQ(tint(0), probe.first) << probe.x << "," << probe.y;
        EXPECT_EQ(tint(2), Untinted) << probe.x << "," << probe.y;
    }
    // The bottom edge of one button and the gap before the next: 296 is the first's, 297 to 311
    // nobody's, 312 the second's.
    moveTo(400, 300);
    EXPECT_EQ(tint(0), Untinted);
    EXPECT_EQ(tint(1), Untinted);
    moveTo(400, 312);
    EXPECT_EQ(tint(1), Tinted);
    EXPECT_EQ(tint(0), Untinted);
}

TEST_F(MenuTest, TintDarkensTheDrawnButton) {
    // A point on the button body left of the caption.
    const int x = 330;
    const int y = 260;
    moveTo(10, 10);
    std::uint32_t plain = harness.pixel(x, y);
    moveTo(x, y);
    std::uint32_t hovered = harness.pixel(x, y);
    ASSERT_EQ(tint(0), Tinted);
    EXPECT_NE(plain, hovered);
    // An opaque texel modulated by 200/255 per channel.
    for (int shift : {0, 8, 16}) {
        int before = static_cast<int>((plain >> shift) & 0xFF);
        int after = static_cast<int>((hovered >> shift) & 0xFF);
        EXPECT_NEAR(after, before * 200 / 255, 2) << shift;
    }
}

TEST_F(MenuTest, LeftReleaseOverScoreTableShowsTheScoreboardAndEscapeReturns) {
    clickAt(400, 330);
    ASSERT_EQ(zxtest::currentPlace(), zxtest::Place::Scoreboard);
    // Holding Escape down does nothing; releasing it returns to a freshly made menu.
    pressKey(SDLK_ESCAPE);
    ASSERT_EQ(zxtest::currentPlace(), zxtest::Place::Scoreboard);
    harness.keyUp(SDLK_ESCAPE);
    harness.turn();
    ASSERT_NE(menu(), nullptr);
    EXPECT_FLOAT_EQ(button(3)->getY(), 440.0f);
    EXPECT_TRUE(harness.game().isRunning());
}

TEST_F(MenuTest, ReleaseFollowedByAnotherEventIsNoClick) {
    harness.mouseMove(400, 330);
    harness.mouseUp(400, 330);
    zxtest::pushEventOfType(SDL_MOUSEMOTION);
    harness.turn();
    ASSERT_NE(menu(), nullptr);
    EXPECT_FALSE(button(1)->isPressed());
    EXPECT_EQ(tint(1), Tinted);
    // The same release as the last event of a turn is a click.
    harness.mouseUp(400, 330);
    harness.turn();
    EXPECT_EQ(menu(), nullptr);
}

TEST_F(MenuTest, OnlyTheLeftButtonClicks) {
    clickAt(400, 330, SDL_BUTTON_RIGHT);
    clickAt(400, 330, SDL_BUTTON_MIDDLE);
    ASSERT_NE(menu(), nullptr);
    // A press alone, then moving onto a button, is not a click either.
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    harness.mouseMove(10, 10);
    harness.push(press);
    harness.turn();
    moveTo(400, 330);
    ASSERT_NE(menu(), nullptr);
    EXPECT_TRUE(harness.boxes.empty());
}

TEST_F(MenuTest, ReleaseOutsideEveryButtonDoesNothing) {
    // In the gap between the second and the third button.
    clickAt(400, 370);
    ASSERT_NE(menu(), nullptr);
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(button(i)->isPressed()) << i;
        EXPECT_EQ(tint(i), Untinted) << i;
    }
    EXPECT_TRUE(harness.game().isRunning());
    EXPECT_TRUE(harness.boxes.empty());
}

TEST(MenuHighlight, FirstPressHighlightsTheFirstButtonThenStepsRound) {
    MenuHighlight down(4);
    down.next();
    EXPECT_EQ(down.get(), 0);
    down.next();
    down.next();
    down.next();
    EXPECT_EQ(down.get(), 3);
    down.next();
    EXPECT_EQ(down.get(), 0);
    MenuHighlight up(4);
    up.previous();
    EXPECT_EQ(up.get(), 0);
    up.previous();
    EXPECT_EQ(up.get(), 3);
    up.follow(-1);
    up.previous();
    EXPECT_EQ(up.get(), 0);
}

TEST_F(MenuTest, KeysMoveAHighlightThatLooksLikeTheHoverAndTheMouseTakesItBack) {
    moveTo(10, 10);
    // Nothing highlighted: Enter chooses nothing.
    pressKey(SDLK_RETURN);
    ASSERT_NE(menu(), nullptr);
    pressKey(SDLK_DOWN);
    EXPECT_EQ(tint(0), Tinted);
    for (std::uint32_t i = 1; i < 4; ++i) {
        EXPECT_EQ(tint(i), Untinted) << i;
    }
    harness.keyDown(SDLK_TAB);
    pressKey(SDLK_TAB);
    EXPECT_EQ(menu()->getHighlight(), 2);
    harness.push(zxtest::keyEvent(SDL_KEYDOWN, SDLK_TAB, KMOD_LSHIFT));
    pressKey(SDLK_UP);
    EXPECT_EQ(menu()->getHighlight(), 0);
    // The mouse moved onto "Info" takes the highlight; unmoved, it leaves the keys' alone.
    moveTo(400, 380);
    EXPECT_EQ(tint(2), Tinted);
    EXPECT_EQ(tint(0), Untinted);
    harness.keyDown(SDLK_DOWN);
    harness.turn(2);
    EXPECT_EQ(menu()->getHighlight(), 3);
    EXPECT_EQ(tint(2), Untinted);
    // The mouse leaving "Graj" and Enter in one turn: the move counts first, Enter chooses none.
    moveTo(400, 280);
    harness.mouseMove(10, 10);
    pressKey(SDLK_RETURN);
    EXPECT_NE(menu(), nullptr);
    EXPECT_TRUE(harness.boxes.empty());
}

TEST_F(MenuTest, DownThenEnterOrSpaceChoosesTheHighlightedButton) {
    moveTo(10, 10);
    // Space on "Tabela wyników"; a repeated Enter held from elsewhere chooses nothing.
    harness.keyDown(SDLK_DOWN);
    harness.keyDown(SDLK_DOWN);
    harness.push(zxtest::keyEvent(SDL_KEYDOWN, SDLK_RETURN, KMOD_NONE, true));
    harness.turn();
    ASSERT_NE(menu(), nullptr);
    pressKey(SDLK_SPACE);
    EXPECT_EQ(zxtest::currentPlace(), zxtest::Place::Scoreboard);
    harness.keyUp(SDLK_ESCAPE);
    harness.turn();
    harness.keyDown(SDLK_DOWN);
    pressKey(SDLK_RETURN);
    EXPECT_EQ(zxtest::currentPlace(), zxtest::Place::Game);
}

TEST_F(MenuTest, InfoShowsItsBoxUntilTheNextEventClearsTheRelease) {
    clickAt(400, 400);
    ASSERT_EQ(harness.boxes.size(), 1u);
    EXPECT_EQ(harness.boxes[0],
              (MessageBoxCall{nullptr,
                              "Tw\xF3rca gry: Vorlenko\nJest to remake starej "
                              "gry stworzonej w Game Maker 8.0 nazwanej Plumbaro 2",
                              "Info", true, MB_ICONINFORMATION}));
    ASSERT_NE(menu(), nullptr);
    // The release is still the last event seen: without new events the box comes again.
    EXPECT_TRUE(button(2)->isPressed());
    harness.turn();
    EXPECT_EQ(harness.boxes.size(), 2u);
    zxtest::pushEventOfType(SDL_MOUSEMOTION);
    harness.turn(2);
    EXPECT_EQ(harness.boxes.size(), 2u);
    EXPECT_TRUE(harness.game().isRunning());
}

TEST_F(MenuTest, ExitStopsTheLoopAfterTheTurn) {
    clickAt(400, 464);
    EXPECT_FALSE(harness.game().isRunning());
    // The menu stays current and drew that turn's frame.
    ASSERT_NE(menu(), nullptr);
    EXPECT_EQ(tint(3), Tinted);
    EXPECT_TRUE(harness.boxes.empty());
}

TEST_F(MenuTest, PlayLeavesTheMenuInItsOwnUpdate) {
    clickAt(320, 248);
    EXPECT_EQ(menu(), nullptr);
    EXPECT_EQ(zxtest::currentPlace(), zxtest::Place::Game);
    EXPECT_TRUE(harness.game().isRunning());
}

} // namespace

// L, and a pad's Y, make the next language current: the captions and the Info box speak it,
// the Game keeps its code in the settings, and after the last language comes Polish again with
// the very frame it had.
TEST_F(MenuTest, LAndThePadsYSwitchTheLanguageWhichTheGameKeeps) {
    moveTo(10, 600);
    const std::vector<std::uint32_t> polish = harness.frame();
    for (int step = 1; step <= kLanguageCount; ++step) {
        const int expected = step % kLanguageCount;
        if (step % 2 == 1) {
            pressKey(SDLK_l);
        } else {
            harness.push(makePadEvent(PadButton::Y, true));
            harness.turn();
        }
        EXPECT_EQ(currentLanguage(), expected) << step;
        EXPECT_EQ(harness.game().getSettings().language, kLanguages[expected].code);
        for (std::uint32_t i = 0; i < kButtonCount; ++i) {
            EXPECT_STREQ(button(i)->getCaption(), tr(i == 0   ? TextId::MenuPlay
                                                     : i == 1 ? TextId::MenuScores
                                                     : i == 2 ? TextId::MenuInfo
                                                              : TextId::MenuQuit));
        }
        clickAt(400, 400);
        ASSERT_FALSE(harness.boxes.empty());
        EXPECT_STREQ(harness.boxes.back().text.c_str(), tr(TextId::InfoText));
        zxtest::pushEventOfType(SDL_MOUSEMOTION);
        moveTo(10, 600);
    }
    EXPECT_EQ(currentLanguage(), 0);
    EXPECT_TRUE(harness.frame() == polish) << "Polish again does not draw the same menu";
}
