// Message boxes, the clock and the text conversion of the user32 stand-ins.
#include "app/platform/TextCodec.h"
#include "app/platform/User32Script.h"
#include "app/platform/WideText.h"
#include "app/platform/ui/KeyGate.h"
#include "app/platform/ui/MessageBoxWindow.h"
#include "app/platform/ui/TextWrap.h"
#include "tests/support/BoxCheck.h"
#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

namespace {

using namespace zxtest;

TEST(TextCodec, PolishLettersRoundTrip) {
    // "Wyjście" and "Zażółć gęślą jaźń" in Windows-1250.
    EXPECT_EQ(cp1250ToUtf8("Wyj\x9C"
                           "cie"),
              "Wyjście");
    std::string cp = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
    EXPECT_EQ(cp1250ToUtf8(cp), "Zażółć gęślą jaźń");
    EXPECT_EQ(utf8ToCp1250("Zażółć gęślą jaźń"), cp);
    EXPECT_EQ(cp1250ToUtf8("Tabela wynik\xF3w"), "Tabela wyników");
}

TEST(TextCodec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1250("a€b"), "a\x80"
                                   "b"); // the euro sign exists in Windows-1250
    EXPECT_EQ(utf8ToCp1250("a日b"), "a?b");
    EXPECT_EQ(utf8ToCp1250("x\xC3"), "x?"); // a sequence cut short
    EXPECT_EQ(cp1250ToUtf8("a\x98"
                           "b"),
              "a?b"); // 0x98 is undefined in the code page
}

// The wide text the game draws and asks with is the same text as before: every byte of the code
// page gives what iconv makes of it, and back; a character the code page lacks becomes '?'.
TEST(TextCodec, WideTextMatchesTheCodePage) {
    for (int byte = 1; byte < 256; ++byte) {
        const char text[2] = {static_cast<char>(byte), '\0'};
        const std::wstring wide = cp1250ToWide(text);
        ASSERT_EQ(wide.size(), 1u) << byte;
        EXPECT_EQ(wideToUtf8(wide.c_str()), cp1250ToUtf8(text)) << byte;
        if (wide[0] != L'?') {
            EXPECT_EQ(wideToCp1250(wide.c_str()), text) << byte;
        }
    }
    EXPECT_EQ(wideToCp1250(L"Za\u017C\u00F3\u0142\u0107 \u00F1\u0436"), "Za\xBF\xF3\xB3\xE6 ??");
}

// A key held as the dialog opened counts once its release is seen or the display reports it up;
// a key first seen repeating is held since before.
TEST(KeyGate, HeldKeysCountOnceLetGo) {
    KeyGate gate({4, 7, 40});
    EXPECT_FALSE(gate.press(4, false)); // the first repeat after the focus came
    EXPECT_FALSE(gate.text());
    EXPECT_FALSE(gate.press(9, true));
    gate.release(4);
    EXPECT_TRUE(gate.press(4, false));
    EXPECT_TRUE(gate.text());
    EXPECT_TRUE(gate.press(4, true)); // its own repeat
    gate.letGo({7, 9, 12});
    EXPECT_TRUE(gate.press(7, false));
    EXPECT_TRUE(gate.press(9, false));
    EXPECT_FALSE(gate.press(40, false)) << "a key still down counted";
    EXPECT_TRUE(gate.holdsKeys());
    gate.release(40);
    EXPECT_FALSE(gate.holdsKeys());
}

TEST(MessageBox, ScriptedAnswererSeesEveryCallAndAnswers) {
    std::vector<MessageBoxCall> calls;
    setMessageBoxAnswerer([&](const MessageBoxCall& call) {
        calls.push_back(call);
        return IDYES;
    });
    HWND owner = reinterpret_cast<HWND>(&calls);
    EXPECT_EQ(showMessageBox(owner, "Pytanie?", "Zembrix", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(showMessageBox(nullptr, "data.zxp not exists!", nullptr, MB_OK), IDYES);
    setMessageBoxAnswerer({});
    EXPECT_EQ(calls, (std::vector<MessageBoxCall>{{owner, "Pytanie?", "Zembrix", true, 0x24u},
                                                  missingPackBox()}));
}

// Without any display the box cannot be shown: its text goes to standard error (as UTF-8) and
// the answer is that of a box closed without a choice.
TEST(MessageBox, WithoutADisplayTheTextGoesToStandardError) {
    std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    int plain = showMessageBox(nullptr, "Jeste\x9C pewny?", "Zembrix", MB_YESNO | MB_ICONQUESTION);
    int error = showMessageBox(nullptr, "Invalid data!", nullptr, MB_ICONERROR);
    std::string err = testing::internal::GetCapturedStderr();
    if (!display.empty()) {
        setenv("DISPLAY", display.c_str(), 1);
    }
    EXPECT_EQ(plain, IDNO);
    EXPECT_EQ(error, IDOK);
    EXPECT_NE(err.find("Zembrix: Jesteś pewny?"), std::string::npos) << err;
    EXPECT_NE(err.find("Invalid data!"), std::string::npos) << err;
}

TEST(MessageBox, TextWrapsAtSpacesAndLineFeeds) {
    // Every byte 1 pixel wide, lines of at most 10.
    const TextMeasure bytes = [](const std::string& line) { return static_cast<int>(line.size()); };
    EXPECT_EQ(wrapText("Jest to remake starej gry", 10, bytes),
              (std::vector<std::string>{"Jest to", "remake", "starej gry"}));
    EXPECT_EQ(wrapText("Tw\xC3\xB3rca gry:\r\n\nabc", 10, bytes),
              (std::vector<std::string>{"Tw\xC3\xB3rca", "gry:", "", "abc"}));
    // A word longer than a line is broken between characters, never inside one.
    EXPECT_EQ(wrapText("0123456789ABC \xC5\x82\xC5\x82\xC5\x82\xC5\x82\xC5\x82\xC5\x82", 10, bytes),
              (std::vector<std::string>{"0123456789", "ABC",
                                        "\xC5\x82\xC5\x82\xC5\x82\xC5\x82\xC5\x82", "\xC5\x82"}));
    EXPECT_EQ(wrapText("data.zxp not exists!", 100, bytes),
              (std::vector<std::string>{"data.zxp not exists!"}));
}

// The boxes of our own drawing, on the dummy driver, answered with synthetic events.
class MessageBoxWindowTest : public testing::Test {
  protected:
    int question() {
        return runMessageBoxWindow(nullptr, "Jeste\xC5\x9B pewny?", "Zembrix",
                                   MB_YESNO | MB_ICONQUESTION);
    }
    int info() {
        return runMessageBoxWindow(nullptr, "Tw\xC3\xB3rca gry", "Info", MB_ICONINFORMATION);
    }

    DialogDriver driver;
};

TEST_F(MessageBoxWindowTest, YesNoAnswersOnlyWithItsButtons) {
    driver.onFrame = [](const DialogFrame& frame) { pushWindowClose(frame.windowId); };
    pushKey(SDLK_ESCAPE);
    pushKey(SDLK_RETURN); // after Escape and the close button, Enter answers Tak
    EXPECT_EQ(question(), IDYES);
    driver.onFrame = nullptr;
    pushKey(SDLK_TAB);
    pushKey(SDLK_SPACE);
    EXPECT_EQ(question(), IDNO);
    pushKey(SDLK_RIGHT);
    pushKey(SDLK_LEFT);
    pushKey(SDLK_KP_ENTER);
    EXPECT_EQ(question(), IDYES);
}

TEST_F(MessageBoxWindowTest, OkBoxClosesWithEnterEscapeAndItsCloseButton) {
    pushKey(SDLK_RETURN);
    EXPECT_EQ(info(), IDOK);
    pushKey(SDLK_ESCAPE);
    EXPECT_EQ(info(), IDOK);
    driver.onFrame = [](const DialogFrame& frame) { pushWindowClose(frame.windowId); };
    EXPECT_EQ(info(), IDOK);
}

// A key held down since before the box opened does not answer it; one pressed anew does.
TEST_F(MessageBoxWindowTest, HeldKeysDoNotAnswer) {
    pushKeyEvent(SDL_KEYDOWN, SDLK_RETURN, true);
    pushKeyEvent(SDL_KEYDOWN, SDLK_RETURN, true);
    pushKey(SDLK_TAB);
    pushKeyEvent(SDL_KEYUP, SDLK_RETURN);
    pushKey(SDLK_RETURN);
    EXPECT_EQ(question(), IDNO) << "a held Enter answered Tak";
}

TEST_F(MessageBoxWindowTest, MouseClicksOnTheButtons) {
    // "Nie" is the right one of two 75-pixel buttons, 11 pixels from the bottom right corner.
    driver.onFrame = [](const DialogFrame& frame) {
        pushClick(frame.windowId, frame.w - 11 - 37, frame.h - 11 - 11);
    };
    EXPECT_EQ(question(), IDNO);
    driver.onFrame = [](const DialogFrame& frame) {
        pushClick(frame.windowId, frame.w - 11 - 75 - 8 - 37, frame.h - 22);
    };
    EXPECT_EQ(question(), IDYES);
}

// A request to quit closes the box as its close would and stays queued for the game, behind
// the events of other windows kept meanwhile.
TEST_F(MessageBoxWindowTest, AQuitRequestClosesTheBoxAndStaysQueued) {
    pushKey(SDLK_a, 4242);
    pushEventOfType(SDL_QUIT);
    EXPECT_EQ(question(), IDNO);
    EXPECT_EQ(drainEventTypes(), (std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP, SDL_QUIT}));
    pushEventOfType(SDL_QUIT);
    EXPECT_EQ(info(), IDOK);
    EXPECT_EQ(drainEventTypes(), (std::vector<Uint32>{SDL_QUIT}));
}

// A box with an owner disables it, as on Windows: a click on the owner while the box is open is
// dropped. Without an owner the click is kept for the game.
TEST_F(MessageBoxWindowTest, ClicksOnTheOwnerAreDroppedWhileItsBoxIsOpen) {
    SDL_Window* game = SDL_CreateWindow("game", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_NE(game, nullptr);
    drainEventTypes();
    pushClick(SDL_GetWindowID(game), 10, 10);
    pushKey(SDLK_RETURN);
    EXPECT_EQ(runMessageBoxWindow(game, "Tw\xC3\xB3rca gry", "Info", MB_ICONINFORMATION), IDOK);
    // The release of Enter, which closed the box on its press, goes to the game.
    EXPECT_EQ(drainEventTypes(), std::vector<Uint32>{SDL_KEYUP});
    pushClick(SDL_GetWindowID(game), 10, 10);
    pushKey(SDLK_RETURN);
    EXPECT_EQ(info(), IDOK);
    EXPECT_EQ(drainEventTypes(),
              (std::vector<Uint32>{SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_KEYUP}));
    SDL_DestroyWindow(game);
}

// The box stands centred on its owner, shows the kind's icon left of the text, the text, and
// the buttons on a grey strip along the bottom.
TEST_F(MessageBoxWindowTest, LayoutIconTextAndButtons) {
    SDL_Window* game = SDL_CreateWindow("game", 100, 50, 800, 608, SDL_WINDOW_HIDDEN);
    ASSERT_NE(game, nullptr);
    auto dark = [](const DialogFrame& f, int x0, int y0, int w, int h) {
        int count = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                count += (f.at(x, y) & 0xFF) < 0x60 && ((f.at(x, y) >> 16) & 0xFF) < 0x60;
        return count;
    };
    pushKey(SDLK_RETURN);
    EXPECT_EQ(runMessageBoxWindow(game, "Invalid data!", "Error", MB_ICONERROR), IDOK);
    const DialogFrame error = driver.last;
    EXPECT_EQ(error.title, "Error");
    EXPECT_EQ(error.x, 100 + (800 - error.w) / 2);
    EXPECT_EQ(error.y, 50 + (608 - error.h) / 2);
    EXPECT_EQ(error.at(24 + 4, 24 + 16), 0xFFE81123u) << "no red disc at the icon's left";
    EXPECT_EQ(error.at(24 + 16, 24 + 16), 0xFFFFFFFFu) << "no white cross in its middle";
    EXPECT_GT(dark(error, 68, 20, error.w - 80, 40), 40) << "no text right of the icon";
    EXPECT_EQ(error.at(2, error.h - 2), 0xFFF0F0F0u) << "no grey strip";
    EXPECT_EQ(error.at(2, 2), 0xFFFFFFFFu) << "no white ground";

    pushKey(SDLK_RETURN);
    EXPECT_EQ(question(), IDYES);
    EXPECT_EQ(driver.last.at(24 + 4, 24 + 16), 0xFF005FB8u) << "no blue disc";

    // A plain box has no icon: its text starts at the margin.
    pushKey(SDLK_RETURN);
    EXPECT_EQ(runMessageBoxWindow(nullptr, "data.zxp not exists!", "Error", MB_OK), IDOK);
    EXPECT_GT(dark(driver.last, 20, 20, 40, 20), 20);
    SDL_DestroyWindow(game);
}

TEST(Clock, TickCountFollowsSdlClock) {
    SDL_Init(SDL_INIT_TIMER);
    DWORD before = GetTickCount();
    SDL_Delay(20);
    DWORD after = GetTickCount();
    EXPECT_GE(after - before, 20u);
    SDL_Quit();
}

} // namespace
