// Tests of the name dialog and submitScore, driven by SDL events on the dummy video driver.
#include "score/NameDialog.h"
#include "score/ScoreTable.h"
#include "score/platform/NameDialogWindow.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <cstring>

namespace {

// The open dialog's window, for the watchdog; 0 while none is open.
std::atomic<Uint32> dialogWindow{0};
std::atomic<bool> watchdogFired{false};

// Closes a dialog that is still open after five seconds, so a faulty dialog fails the test
// instead of hanging it.
Uint32 watchdog(Uint32, void*) {
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = dialogWindow.load();
    watchdogFired = true;
    SDL_PushEvent(&close);
    return 1000;
}

void pushText(const std::string& utf8, Uint32 windowId = 0) {
    // SDL carries at most 31 bytes of text per event.
    for (size_t at = 0; at < utf8.size(); at += 31) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = windowId;
        const std::string part = utf8.substr(at, 31);
        std::memcpy(e.text.text, part.c_str(), part.size() + 1);
        SDL_PushEvent(&e);
    }
}

void pushKey(SDL_Keycode key, Uint32 windowId = 0, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = windowId;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    SDL_PushEvent(&e);
}

void pushClick(Uint32 windowId, int x, int y) {
    SDL_Event e{};
    e.button.windowID = windowId;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    e.type = SDL_MOUSEBUTTONDOWN;
    SDL_PushEvent(&e);
    e.type = SDL_MOUSEBUTTONUP;
    SDL_PushEvent(&e);
}

std::vector<uint8_t> bytesOf(const char* text) {
    return {reinterpret_cast<const uint8_t*>(text),
            reinterpret_cast<const uint8_t*>(text) + std::strlen(text)};
}

class NameDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        zxtest::useHeadlessVideo();
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << SDL_GetError();
        std::memset(lastName, 0, sizeof lastName);
        nameAccepted = false;
        watchdogFired = false;
        // Every frame tells the watchdog which window to close.
        setNameDialogFrameHook(
            [](SDL_Window* window, SDL_Renderer*) { dialogWindow = SDL_GetWindowID(window); });
        timer = SDL_AddTimer(5000, watchdog, nullptr);
    }
    void TearDown() override {
        SDL_RemoveTimer(timer);
        setNameDialogFrameHook(nullptr);
        setNameDialogAnswerer(nullptr);
        SDL_Quit();
        EXPECT_FALSE(watchdogFired) << "a dialog did not close by itself";
    }

    // Runs one dialog through submitScore with points; returns its result.
    bool submit(uint32_t points) { return table.submitScore(points); }

    SDL_TimerID timer = 0;
    ScoreTable table{"unused.zxs"};
};

TEST_F(NameDialogTest, EnterOnAnEmptyFieldGivesAnEmptyName) {
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(70));
    ASSERT_NE(table.at(0), nullptr);
    EXPECT_STREQ(table.at(0)->name, "");
    EXPECT_EQ(table.at(0)->points, 70u);
    EXPECT_TRUE(nameAccepted);
}

TEST_F(NameDialogTest, LongNameIsCutTo31Bytes) {
    const std::string typed = "0123456789abcdefghijABCDEFGHIJ#$%&*()-+=";
    ASSERT_EQ(typed.size(), 40u);
    pushText(typed);
    pushKey(SDLK_KP_ENTER);
    EXPECT_TRUE(submit(1));
    ASSERT_NE(table.at(0), nullptr);
    EXPECT_EQ(std::string(table.at(0)->name), typed.substr(0, 31));
    EXPECT_EQ(std::string(lastName), typed.substr(0, 31));
}

TEST_F(NameDialogTest, LastNameIsOfferedAgainAndTypingReplacesIt) {
    pushText("Ala");
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(30));
    pushKey(SDLK_RETURN); // the offered name, unchanged
    EXPECT_TRUE(submit(20));
    pushText("Ola");
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(10));
    EXPECT_STREQ(table.at(0)->name, "Ala");
    EXPECT_STREQ(table.at(1)->name, "Ala");
    EXPECT_STREQ(table.at(2)->name, "Ola");
    EXPECT_STREQ(lastName, "Ola");
}

TEST_F(NameDialogTest, CancelAndCloseKeepTheLastAcceptedName) {
    std::strcpy(lastName, "Ala");
    pushText("Ewa");
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(submit(10));
    EXPECT_FALSE(nameAccepted);
    EXPECT_STREQ(lastName, "Ala");

    // Tab twice reaches Cancel; Enter on it cancels.
    pushText("Iza");
    pushKey(SDLK_TAB);
    pushKey(SDLK_TAB);
    pushKey(SDLK_RETURN);
    EXPECT_FALSE(submit(10));

    // The close button of the dialog's window.
    setNameDialogFrameHook([](SDL_Window* window, SDL_Renderer*) {
        dialogWindow = SDL_GetWindowID(window);
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        close.window.windowID = dialogWindow;
        SDL_PushEvent(&close);
    });
    pushText("Ewa");
    EXPECT_FALSE(submit(10));
    EXPECT_EQ(table.at(0), nullptr);
    EXPECT_STREQ(lastName, "Ala");

    setNameDialogFrameHook(
        [](SDL_Window* window, SDL_Renderer*) { dialogWindow = SDL_GetWindowID(window); });
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(10));
    ASSERT_NE(table.at(0), nullptr);
    EXPECT_STREQ(table.at(0)->name, "Ala");
}

TEST_F(NameDialogTest, MouseClicksOnTheButtons) {
    // Click OK at its centre (37 + 25, 28 + 7 dialog units), once the window exists.
    int frames = 0;
    setNameDialogFrameHook([&frames](SDL_Window* window, SDL_Renderer*) {
        dialogWindow = SDL_GetWindowID(window);
        if (frames++ == 0)
            pushClick(dialogWindow, 62 * 6 / 4, 35 * 13 / 8);
    });
    pushText("Mysz");
    EXPECT_TRUE(submit(5));
    EXPECT_STREQ(lastName, "Mysz");

    frames = 0;
    setNameDialogFrameHook([&frames](SDL_Window* window, SDL_Renderer*) {
        dialogWindow = SDL_GetWindowID(window);
        if (frames++ == 0)
            pushClick(dialogWindow, 118 * 6 / 4, 35 * 13 / 8); // Cancel's centre
    });
    pushText("Kot");
    EXPECT_FALSE(submit(5));
    EXPECT_STREQ(lastName, "Mysz");
}

TEST_F(NameDialogTest, PolishLettersAreStoredAsWindows1250) {
    pushText("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"); // "Zażółć" in UTF-8
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(1));
    EXPECT_EQ(bytesOf(table.at(0)->name),
              (std::vector<uint8_t>{0x5A, 0x61, 0xBF, 0xF3, 0xB3, 0xE6}));

    // Letters the code page lacks become '?'.
    pushText("\xD0\x96\xE6\x97\xA5x"); // Cyrillic Zhe, a CJK character, 'x'
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(0));
    EXPECT_STREQ(table.at(1)->name, "??x");
}

TEST_F(NameDialogTest, EditingKeys) {
    std::strcpy(lastName, "Jan");
    pushKey(SDLK_END); // drops the selection, caret at the end
    pushText("ek");
    pushKey(SDLK_BACKSPACE);
    pushKey(SDLK_HOME);
    pushText("<");
    pushKey(SDLK_DELETE);
    pushKey(SDLK_RIGHT);
    pushKey(SDLK_RIGHT);
    pushKey(SDLK_LEFT);
    pushText("_");
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(1));
    EXPECT_STREQ(lastName, "<a_ne");

    // Backspace on the selected offer empties the field.
    pushKey(SDLK_BACKSPACE);
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(1));
    EXPECT_STREQ(lastName, "");
}

TEST_F(NameDialogTest, OtherWindowsEventsComeBackInOrder) {
    SDL_Window* game = SDL_CreateWindow("game", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_NE(game, nullptr);
    const Uint32 gameId = SDL_GetWindowID(game);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);

    pushKey(SDLK_a, gameId);
    pushText("Ada");
    pushClick(gameId, 5, 6);
    SDL_Event user{};
    user.type = SDL_USEREVENT;
    SDL_PushEvent(&user);
    SDL_Event enter{};
    enter.type = SDL_KEYDOWN;
    enter.key.keysym.sym = SDLK_RETURN;
    SDL_PushEvent(&enter);
    pushKey(SDLK_d, gameId); // queued after the dialog's Enter
    EXPECT_TRUE(submit(9));
    EXPECT_STREQ(lastName, "Ada");

    std::vector<Uint32> types;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        EXPECT_NE(e.window.windowID, dialogWindow.load()) << "event type " << e.type;
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
            EXPECT_EQ(e.key.windowID, gameId);
        }
        if (e.type != SDL_WINDOWEVENT)
            types.push_back(e.type);
    }
    EXPECT_EQ(types,
              (std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
                                   SDL_USEREVENT, SDL_KEYDOWN, SDL_KEYUP}));
    SDL_DestroyWindow(game);
}

// A request to quit (SIGTERM, SIGINT, the last window closed) ends the dialog without a name and
// stays queued, behind the events kept before it, so that the game quits next.
TEST_F(NameDialogTest, AQuitRequestEndsTheDialogWithoutANameAndStaysQueued) {
    std::strcpy(lastName, "Ola");
    pushText("Ada");
    pushKey(SDLK_a, 4242);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    pushKey(SDLK_RETURN); // the dialog has ended: this one is the game's
    EXPECT_FALSE(submit(9));
    EXPECT_FALSE(nameAccepted);
    EXPECT_STREQ(lastName, "Ola");
    EXPECT_EQ(table.at(0), nullptr);

    std::vector<Uint32> types;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type != SDL_WINDOWEVENT)
            types.push_back(e.type);
    }
    EXPECT_EQ(types,
              (std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP, SDL_QUIT, SDL_KEYDOWN, SDL_KEYUP}));
}

TEST_F(NameDialogTest, WindowShowsCaptionLayoutAndOfferedName) {
    struct Seen {
        std::string title;
        int w = 0, h = 0, x = 0, y = 0;
        int darkInField = 0;
        uint32_t corner = 0;
    } seen;
    setNameDialogFrameHook([&seen](SDL_Window* window, SDL_Renderer* renderer) {
        dialogWindow = SDL_GetWindowID(window);
        seen.title = SDL_GetWindowTitle(window);
        SDL_GetWindowSize(window, &seen.w, &seen.h);
        SDL_GetWindowPosition(window, &seen.x, &seen.y);
        std::vector<uint32_t> pixels(static_cast<size_t>(seen.w * seen.h));
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             seen.w * 4);
        seen.corner = pixels[static_cast<size_t>(seen.w + 2)];
        // Dark pixels in the edit field (38, 7, 106 x 14 dialog units), caret included.
        seen.darkInField = 0;
        for (int y = 7 * 13 / 8 + 1; y < 21 * 13 / 8 - 1; ++y)
            for (int x = 38 * 6 / 4 + 1; x < 144 * 6 / 4 - 1; ++x)
                seen.darkInField += (pixels[static_cast<size_t>(y * seen.w + x)] & 0xFF) < 0x80;
    });
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(submit(1));
    const int emptyField = seen.darkInField;
    EXPECT_EQ(seen.title, "Zembrix");
    EXPECT_EQ(seen.w, 223);
    EXPECT_EQ(seen.h, 79);
    SDL_Rect display{};
    SDL_GetDisplayBounds(0, &display);
    EXPECT_EQ(seen.x, (display.w - seen.w) / 2);
    EXPECT_EQ(seen.y, (display.h - seen.h) / 2);
    EXPECT_EQ(seen.corner, 0xFFF0F0F0u);

    std::strcpy(lastName, "WWWWWWWW");
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(submit(1));
    EXPECT_GT(seen.darkInField, emptyField + 40) << "the offered name is not drawn";
}

TEST_F(NameDialogTest, NoDialogWithoutVideo) {
    SDL_Quit();
    std::strcpy(lastName, "Ala");
    nameAccepted = true;
    const char* old = SDL_getenv("SDL_VIDEODRIVER");
    const std::string saved = old ? old : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(submit(100));
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    EXPECT_EQ(table.at(0), nullptr);
    EXPECT_FALSE(nameAccepted);
    EXPECT_STREQ(lastName, "Ala");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0);
    timer = SDL_AddTimer(5000, watchdog, nullptr);
}

TEST_F(NameDialogTest, ScriptedAnswererReplacesTheWindow) {
    std::vector<std::string> offered;
    setNameDialogAnswerer([&offered](const std::string& name) {
        offered.push_back(name);
        return NameDialogAnswer{offered.size() != 2,
                                "\xC5\x81ucja with a very long surname indeed"};
    });
    std::strcpy(lastName, "Ala");
    EXPECT_TRUE(submit(3));
    EXPECT_FALSE(submit(2));
    EXPECT_TRUE(submit(1));
    const std::string expected = "\xA3ucja with a very long surname "; // 31 bytes
    EXPECT_EQ(offered, (std::vector<std::string>{"Ala", expected, expected}));
    EXPECT_EQ(std::string(table.at(0)->name), expected);
    ASSERT_NE(table.at(1), nullptr);
    EXPECT_EQ(table.at(1)->points, 1u);
    EXPECT_EQ(table.at(2), nullptr);
}

} // namespace
