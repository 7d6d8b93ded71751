// Tests of the name dialog and submitScore, driven by SDL events on the dummy video driver.
#include "score/NameDialog.h"
#include "score/ScoreTable.h"
#include "tests/pack/FileBytes.h"
#include "tests/support/Captured.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

using namespace zxtest;

class NameDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        std::memset(lastName, 0, sizeof lastName);
        nameAccepted = false;
    }
    void TearDown() override {
        setNameDialogAnswerer(nullptr);
        if (game != nullptr) {
            SDL_DestroyWindow(game);
        }
    }

    // Opens a hidden window standing for the game's, with an empty queue; its id (0 on failure).
    Uint32 openGameWindow() {
        game = SDL_CreateWindow("game", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        return game != nullptr ? SDL_GetWindowID(game) : 0;
    }

    // Runs one dialog through submitScore with points; returns its result.
    bool submit(uint32_t points) { return table.submitScore(points); }
    // Queues the typing of text and Enter, the dialog's answer.
    static void typeAndEnter(const std::string& text) {
        pushText(text);
        pushKey(SDLK_RETURN);
    }
    // Clicks at (x, y) of the dialog once its first frame is drawn.
    void clickOnFirstFrame(int x, int y) {
        driver.onFrame = [x, y, first = true](const DialogFrame& frame) mutable {
            if (first) {
                pushClick(frame.windowId, x, y);
            }
            first = false;
        };
    }

    DialogDriver driver;
    TempDir dir;
    const std::string file = dir.file("scoreboard.zxs");
    ScoreTable table{file.c_str()};
    SDL_Window* game = nullptr;
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
    typeAndEnter("Ala");
    EXPECT_TRUE(submit(30));
    pushKey(SDLK_RETURN); // the offered name, unchanged
    EXPECT_TRUE(submit(20));
    typeAndEnter("Ola");
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
    driver.onFrame = [](const DialogFrame& frame) { pushWindowClose(frame.windowId); };
    pushText("Ewa");
    EXPECT_FALSE(submit(10));
    EXPECT_EQ(table.at(0), nullptr);
    EXPECT_STREQ(lastName, "Ala");

    driver.onFrame = nullptr;
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(10));
    ASSERT_NE(table.at(0), nullptr);
    EXPECT_STREQ(table.at(0)->name, "Ala");
}

// A run that enters the table is on disk when the dialog closes, in the bytes the exit writes;
// Cancel, or a run below a full table, writes nothing.
TEST_F(NameDialogTest, ARunThatEntersTheTableIsWrittenAtOnce) {
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(submit(10));
    EXPECT_FALSE(std::filesystem::exists(file));
    typeAndEnter("Ala");
    ASSERT_TRUE(submit(70));
    const std::vector<uint8_t> kept = readBytes(file);
    ASSERT_EQ(kept.size(), 40u);
    EXPECT_EQ(kept[4], 'A');
    ASSERT_TRUE(table.save()); // what the exit does
    EXPECT_EQ(readBytes(file), kept);

    for (int i = 0; i < 9; ++i) {
        table.insert("Ola", 100);
    }
    std::filesystem::remove(file);
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(5));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(NameDialogTest, MouseClicksOnTheButtons) {
    // Click OK at its centre (37 + 25, 28 + 7 dialog units), once the window exists.
    clickOnFirstFrame(62 * 6 / 4, 35 * 13 / 8);
    pushText("Mysz");
    EXPECT_TRUE(submit(5));
    EXPECT_STREQ(lastName, "Mysz");

    clickOnFirstFrame(118 * 6 / 4, 35 * 13 / 8); // Cancel's centre
    pushText("Kot");
    EXPECT_FALSE(submit(5));
    EXPECT_STREQ(lastName, "Mysz");
}

TEST_F(NameDialogTest, PolishLettersAreStoredAsWindows1250) {
    typeAndEnter("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"); // "Zażółć" in UTF-8
    EXPECT_TRUE(submit(1));
    EXPECT_STREQ(table.at(0)->name, "Za\xBF\xF3\xB3\xE6");

    // Letters the code page lacks become '?'.
    typeAndEnter("\xD0\x96\xE6\x97\xA5x"); // Cyrillic Zhe, a CJK character, 'x'
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
    typeAndEnter("_");
    EXPECT_TRUE(submit(1));
    EXPECT_STREQ(lastName, "<a_ne");

    // Backspace on the selected offer empties the field.
    pushKey(SDLK_BACKSPACE);
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(1));
    EXPECT_STREQ(lastName, "");
}

TEST_F(NameDialogTest, OtherWindowsEventsComeBackInOrder) {
    const Uint32 gameId = openGameWindow();
    ASSERT_NE(gameId, 0u) << SDL_GetError();

    pushKey(SDLK_a, gameId);
    pushKeyEvent(SDL_KEYDOWN, SDLK_ESCAPE, true, gameId); // held across the dialog: dropped
    pushText("Ada");
    pushClick(gameId, 5, 6);
    pushEventOfType(SDL_USEREVENT);
    pushKeyEvent(SDL_KEYDOWN, SDLK_RETURN);
    pushKey(SDLK_d, gameId); // queued after the dialog's Enter
    EXPECT_TRUE(submit(9));
    EXPECT_STREQ(lastName, "Ada");

    std::vector<Uint32> types;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        EXPECT_NE(e.window.windowID, driver.last.windowId) << "event type " << e.type;
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
            EXPECT_EQ(e.key.windowID, gameId);
        }
        if (e.type != SDL_WINDOWEVENT)
            types.push_back(e.type);
    }
    EXPECT_EQ(types,
              (std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
                                   SDL_USEREVENT, SDL_KEYDOWN, SDL_KEYUP}));
}

// A request to quit (SIGTERM, SIGINT, the last window closed) ends the dialog without a name and
// stays queued, behind the events kept before it, so that the game quits next.
TEST_F(NameDialogTest, AQuitRequestEndsTheDialogWithoutANameAndStaysQueued) {
    std::strcpy(lastName, "Ola");
    pushText("Ada");
    pushKey(SDLK_a, 4242);
    pushEventOfType(SDL_QUIT);
    pushKey(SDLK_RETURN); // the dialog has ended: this one is the game's
    EXPECT_FALSE(submit(9));
    EXPECT_FALSE(nameAccepted);
    EXPECT_STREQ(lastName, "Ola");
    EXPECT_EQ(table.at(0), nullptr);
    EXPECT_EQ(drainEventTypes(),
              (std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP, SDL_QUIT, SDL_KEYDOWN, SDL_KEYUP}));
}

// Closing the game's window while the dialog is open leaves the dialog to be answered, then a
// request to quit waits behind the close for the game.
TEST_F(NameDialogTest, ClosingTheGameWindowQuitsAfterTheDialog) {
    const Uint32 gameId = openGameWindow();
    ASSERT_NE(gameId, 0u) << SDL_GetError();
    pushWindowClose(gameId);
    typeAndEnter("Ewa");
    EXPECT_TRUE(submit(4));
    EXPECT_STREQ(lastName, "Ewa");
    std::vector<SDL_Event> left;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_QUIT || (e.type == SDL_WINDOWEVENT && e.window.windowID == gameId))
            left.push_back(e);
    }
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].window.event, SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(left[1].type, static_cast<Uint32>(SDL_QUIT));
}

// Only presses that begin while the dialog is open count: the repeats of a key held down since
// before, and the text they make, are ignored until that key is released.
TEST_F(NameDialogTest, KeysHeldSinceBeforeTheDialogDoNotTypeIntoIt) {
    std::strcpy(lastName, "Ala");
    for (int i = 0; i < 3; ++i) {
        pushKeyEvent(SDL_KEYDOWN, SDLK_d, true);
        pushText("d");
    }
    pushKeyEvent(SDL_KEYDOWN, SDLK_RETURN, true); // a held Enter does not answer it either
    pushKeyEvent(SDL_KEYDOWN, SDLK_BACKSPACE, true);
    pushKeyEvent(SDL_KEYUP, SDLK_d);
    pushKey(SDLK_d); // released, then pressed anew: this one types
    pushText("d");
    pushKeyEvent(SDL_KEYDOWN, SDLK_d);
    pushText("d");
    pushKeyEvent(SDL_KEYDOWN, SDLK_d, true); // its own repeat types as well
    pushText("d");
    pushKeyEvent(SDL_KEYDOWN, SDLK_RETURN); // Enter, still held since before, is ignored
    pushKeyEvent(SDL_KEYUP, SDLK_RETURN);
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(submit(2));
    EXPECT_STREQ(lastName, "ddd");
}

TEST_F(NameDialogTest, WindowShowsCaptionLayoutAndOfferedName) {
    // Dark pixels in the edit field (38, 7, 106 x 14 dialog units), caret included.
    int darkInField = 0;
    driver.onFrame = [&darkInField](const DialogFrame& frame) {
        darkInField = 0;
        for (int y = 7 * 13 / 8 + 1; y < 21 * 13 / 8 - 1; ++y)
            for (int x = 38 * 6 / 4 + 1; x < 144 * 6 / 4 - 1; ++x)
                darkInField += (frame.at(x, y) & 0xFF) < 0x80;
    };
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(submit(1));
    const int emptyField = darkInField;
    const DialogFrame& seen = driver.last;
    EXPECT_EQ(seen.title, "Zembrix");
    EXPECT_EQ(seen.w, 223);
    EXPECT_EQ(seen.h, 79);
    SDL_Rect display{};
    SDL_GetDisplayBounds(0, &display);
    EXPECT_EQ(seen.x, (display.w - seen.w) / 2);
    EXPECT_EQ(seen.y, (display.h - seen.h) / 2);
    EXPECT_EQ(seen.at(2, 1), 0xFFF0F0F0u);

    std::strcpy(lastName, "WWWWWWWW");
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(submit(1));
    EXPECT_GT(darkInField, emptyField + 40) << "the offered name is not drawn";
}

// Without a window the dialog cannot run: the points are dropped, and standard error says so.
TEST_F(NameDialogTest, NoDialogWithoutVideo) {
    SDL_Quit();
    std::strcpy(lastName, "Ala");
    nameAccepted = true;
    const char* old = SDL_getenv("SDL_VIDEODRIVER");
    const std::string saved = old ? old : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    const std::string err = stderrOf([this] { EXPECT_FALSE(submit(100)); });
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    EXPECT_NE(err.find("no name dialog"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(table.at(0), nullptr);
    EXPECT_FALSE(nameAccepted);
    EXPECT_STREQ(lastName, "Ala");
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
