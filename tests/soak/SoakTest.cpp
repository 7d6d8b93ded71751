// Soak test: the whole game driven for many turns by random player input, with random answers to
// its message boxes and name dialogs; nothing may crash, and memory must stay flat.
#include "app/Game.h"
#include "app/platform/User32Script.h"
#include "game/Ball.h"
#include "game/GameRandom.h"
#include "game/PlayField.h"
#include "game/Stone.h"
#include "rooms/MenuLayout.h"
#include "rooms/RGame.h"
#include "rooms/RoomManager.h"
#include "score/NameDialog.h"
#include "score/ScoreTable.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ZX_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZX_SOAK_ASAN 1
#endif
#endif

#ifdef ZX_SOAK_ASAN
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#else
// GCC's packages ship the sanitizer runtime without this header; the runtime exports it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif
#else
#include <malloc.h>
#endif

namespace {

constexpr int kDefaultTurns = 3000;
// Memory is compared from this turn on, once every cache of the game has been filled once.
constexpr int kWarmUpTurns = 1000;
constexpr std::size_t kMaxGrowth = 2u << 20;
constexpr std::uint32_t kSeed = 20261207;

// The number of turns, from ZX_SOAK_TURNS (default 3000).
int soakTurns() {
    const char* text = std::getenv("ZX_SOAK_TURNS");
    const int turns = text != nullptr ? std::atoi(text) : 0;
    return turns > 0 ? turns : kDefaultTurns;
}

// Bytes of live heap blocks: the sanitizer allocator's count, or malloc's bytes in use (small
// blocks and mapped large ones, such as a read-back frame).
std::size_t liveHeapBytes() {
#ifdef ZX_SOAK_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

using zxtest::currentPlace;
using zxtest::Place;

// Names typed into the dialog: ASCII, Polish letters, the euro sign, letters the code page lacks,
// broken UTF-8, nothing at all, and names far longer than the 31 bytes kept.
std::string randomName(std::mt19937& random) {
    static const char* const pieces[] = {"a", "Z",  "7", " ",    "_",    "ą",    "ć",    "ę",
                                         "ł", "ń",  "ó", "ś",    "ź",    "ż",    "Ł",    "Ż",
                                         "€", "漢", "🎮", "\xFF", "\xC5", "\x80", "Gracz"};
    const int length =
        random() % 8 == 0 ? static_cast<int>(random() % 120) : static_cast<int>(random() % 12);
    std::string name;
    for (int i = 0; i < length; ++i) {
        name += pieces[random() % std::size(pieces)];
    }
    return name;
}

// Drives the game at random, keeps count of what happened, and answers its boxes and dialogs.
class Driver {
  public:
    explicit Driver(zxtest::GameHarness& harness) : harness(harness), random(kSeed) {
        setMessageBoxAnswerer([this](const MessageBoxCall& call) { return answerBox(call); });
        setNameDialogAnswerer([this](const std::string& offered) { return answerName(offered); });
    }
    ~Driver() {
        setNameDialogAnswerer({});
        setMessageBoxAnswerer({});
    }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // One turn: a few random events for the current room, then the turn itself.
    void step() {
        const Place place = currentPlace();
        const int events = static_cast<int>(random() % 4);
        for (int i = 0; i < events; ++i) {
            switch (place) {
            case Place::Menu:
                menuEvent();
                break;
            case Place::Game:
                gameEvent();
                break;
            default:
                scoreboardEvent();
                break;
            }
        }
        harness.turn();
        noteRoom();
        ++turnsIn[currentPlace()];
    }

    // Brings back the menu (as "Escape" and "Yes" or a scoreboard's Escape would) and lets it
    // settle, so that memory is measured in the same room each time.
    void settleInMenu() {
        for (SDL_Keycode key : {SDLK_a, SDLK_d, SDLK_SPACE}) {
            harness.keyUp(key);
        }
        harness.turn();
        if (currentPlace() != Place::Menu) {
            getRoomManager()->changeRoom(RoomMenu);
        }
        harness.turn(3);
        noteRoom();
    }

    std::map<Place, int> roomsEntered;
    std::map<Place, int> turnsIn;
    std::map<std::string, int> boxTexts;
    int questions = 0;
    int namesAsked = 0;
    int namesAccepted = 0;
    // Quit requests: the window's close and clicks at "Wyjście". They only clear the loop's
    // running flag; the harness turns the loop whatever it says, so the soak goes on.
    int quits = 0;
    int levelsCleared = 0;
    int longestNameSeen = 0;

  private:
    int answerBox(const MessageBoxCall& call) {
        ++boxTexts[call.text];
        if ((call.type & 0xF) != MB_YESNO) {
            return IDOK;
        }
        ++questions;
        return random() % 2 == 0 ? IDYES : IDNO;
    }

    NameDialogAnswer answerName(const std::string& offered) {
        ++namesAsked;
        longestNameSeen = std::max(longestNameSeen, static_cast<int>(offered.size()));
        NameDialogAnswer answer;
        answer.accepted = random() % 4 != 0;
        answer.field = randomName(random);
        namesAccepted += answer.accepted ? 1 : 0;
        return answer;
    }

    void noteRoom() {
        Room* room = getRoomManager() != nullptr ? getRoomManager()->getCurrentRoom() : nullptr;
        if (room != lastRoom) {
            ++roomsEntered[currentPlace()];
            lastRoom = room;
        }
    }

    bool chance(unsigned percent) { return random() % 100 < percent; }
    int between(int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); }

    void moveOverButton(int button) {
        const int left = static_cast<int>(buttonCentre(kScreenWidth) - kButtonWidth / 2);
        const int top =
            static_cast<int>(buttonTop(kScreenHeight, static_cast<std::uint32_t>(button)));
        harness.mouseMove(between(left - 4, left + static_cast<int>(kButtonWidth) + 4),
                          between(top - 4, top + static_cast<int>(kButtonHeight) + 4));
    }

    void click(Uint8 button) {
        int x = 0;
        int y = 0;
        SDL_GetMouseState(&x, &y);
        harness.mouseUp(x, y, button);
    }

    // Mostly the buttons: "Graj" and the scoreboard often, "Info" and "Wyjście" now and then.
    void menuEvent() {
        const unsigned roll = random() % 100;
        if (roll < 40) {
            moveOverButton(static_cast<int>(random() % 4));
        } else if (roll < 55) {
            static const int weights[] = {0, 0, 0, 0, 0, 1, 1, 1, 2, 3};
            const int button = weights[random() % std::size(weights)];
            moveOverButton(button);
            click(SDL_BUTTON_LEFT);
            quits += button == 3 ? 1 : 0;
        } else {
            anyEvent();
        }
    }

    // Keys of play held and released, Space, Enter and Escape, and the rest now and then.
    void gameEvent() {
        const unsigned roll = random() % 1000;
        if (roll < 300) {
            const SDL_Keycode key = random() % 2 == 0 ? SDLK_a : SDLK_d;
            if (random() % 2 == 0) {
                harness.keyDown(key);
            } else {
                harness.keyUp(key);
            }
        } else if (roll < 400) {
            harness.tap(SDLK_SPACE);
        } else if (roll < 460) {
            harness.tap(SDLK_RETURN);
        } else if (roll < 462) {
            harness.tap(SDLK_ESCAPE);
        } else if (roll < 463) {
            clearLevel();
        } else {
            anyEvent();
        }
    }

    void scoreboardEvent() {
        if (chance(6)) {
            harness.tap(SDLK_ESCAPE);
        } else {
            anyEvent();
        }
    }

    // A lucky streak: every stone of the level breaks as the ball's strikes break them, so that
    // the later levels and the run's completion are played too.
    void clearLevel() {
        RGame* room = getGameRoom();
        if (room == nullptr) {
            return;
        }
        for (std::uint32_t i = 0; i < room->getStoneCount(); ++i) {
            if (Stone* stone = room->getStone(i); stone != nullptr && stone->isSolid()) {
                stone->setSolid(false);
                stone->startBreaking();
            }
        }
        ++levelsCleared;
    }

    // Anything a player or the desktop can send: other keys, repeats, mouse moves, buttons and
    // wheels, text, window events and the window's close.
    void anyEvent() {
        SDL_Event event{};
        switch (random() % 9) {
        case 0: {
            static const SDL_Keycode keys[] = {SDLK_a,        SDLK_d,   SDLK_SPACE,  SDLK_RETURN,
                                               SDLK_ESCAPE,   SDLK_q,   SDLK_LEFT,   SDLK_F4,
                                               SDLK_KP_ENTER, SDLK_TAB, SDLK_LSHIFT, SDLK_0};
            const SDL_Keycode key = keys[random() % std::size(keys)];
            if (key == SDLK_ESCAPE && currentPlace() == Place::Game && !chance(2)) {
                return; // leaving the game room stays rare
            }
            const Uint32 type = random() % 2 == 0 ? SDL_KEYDOWN : SDL_KEYUP;
            const bool repeat = random() % 2 != 0;
            const Uint16 mod = static_cast<Uint16>(random() % 4 == 0 ? KMOD_SHIFT : 0);
            event = zxtest::keyEvent(type, key, mod, repeat);
            break;
        }
        case 1:
        case 2:
            harness.mouseMove(between(-50, 850), between(-50, 660));
            return;
        case 3: {
            static const Uint8 buttons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE,
                                            SDL_BUTTON_X1};
            event.type = random() % 2 == 0 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            event.button.button = buttons[random() % std::size(buttons)];
            event.button.x = between(-50, 850);
            event.button.y = between(-50, 660);
            event.button.clicks = static_cast<Uint8>(1 + random() % 3);
            break;
        }
        case 4:
            event.type = SDL_MOUSEWHEEL;
            event.wheel.y = between(-3, 3);
            break;
        case 5:
            event.type = SDL_TEXTINPUT;
            std::snprintf(event.text.text, sizeof event.text.text, "%s",
                          randomName(random).substr(0, 31).c_str());
            break;
        case 6:
        case 7: {
            event.type = SDL_WINDOWEVENT;
            event.window.windowID =
                random() % 8 == 0 ? 999 : SDL_GetWindowID(harness.game().getWindow());
            event.window.event = static_cast<Uint8>(SDL_WINDOWEVENT_SHOWN + random() % 16);
            event.window.data1 = between(-100, 2000);
            event.window.data2 = between(-100, 2000);
            break;
        }
        default:
            if (!chance(5)) {
                return;
            }
            event.type = SDL_QUIT;
            ++quits;
            break;
        }
        harness.push(event);
    }

    zxtest::GameHarness& harness;
    std::mt19937 random;
    Room* lastRoom = nullptr;
};

// The score table's invariants: names of at most 31 bytes, points never rising down the table,
// no gap between filled places.
void expectTableSound(const ScoreTable& table) {
    bool gap = false;
    for (std::uint32_t i = 0; i < ScoreTable::kPlaces; ++i) {
        const ScoreRecord* record = table.at(i);
        if (record == nullptr) {
            gap = true;
            continue;
        }
        EXPECT_FALSE(gap) << i;
        EXPECT_LT(std::strlen(record->name), sizeof record->name) << i;
        if (i > 0 && table.at(i - 1) != nullptr) {
            EXPECT_LE(record->points, table.at(i - 1)->points) << i;
        }
    }
}

TEST(Soak, RandomPlayInEveryRoomKeepsTheGameAliveAndMemoryFlat) {
    const int turns = soakTurns();
    zxtest::GameHarness harness;
    ASSERT_TRUE(harness.started());
    gameRandom().seed(kSeed); // each run then seeds the rolls (launch angle, free lives) anew
    Driver driver(harness);

    std::size_t heapAtWarmUp = 0;
    std::size_t heapAtEnd = 0;
    const Uint32 start = SDL_GetTicks();
    for (int turn = 1; turn <= turns; ++turn) {
        driver.step();
        if (turn == kWarmUpTurns) {
            driver.settleInMenu();
            heapAtWarmUp = liveHeapBytes();
        }
        if (turn % 10000 == 0) {
            std::printf("soak: %d turns, %u s\n", turn,
                        static_cast<unsigned>((SDL_GetTicks() - start) / 1000));
            std::fflush(stdout);
        }
    }
    driver.settleInMenu();
    heapAtEnd = liveHeapBytes();
    const Uint32 seconds = (SDL_GetTicks() - start) / 1000;

    std::printf("soak: %d turns in %u s; rooms entered: menu %d, scoreboard %d, game %d; "
                "questions %d, names asked %d (accepted %d), quits %d, levels cleared %d\n",
                turns, static_cast<unsigned>(seconds), driver.roomsEntered[Place::Menu],
                driver.roomsEntered[Place::Scoreboard], driver.roomsEntered[Place::Game],
                driver.questions, driver.namesAsked, driver.namesAccepted, driver.quits,
                driver.levelsCleared);
    std::printf("soak: turns in menu %d, scoreboard %d, game %d\n", driver.turnsIn[Place::Menu],
                driver.turnsIn[Place::Scoreboard], driver.turnsIn[Place::Game]);
    for (const auto& [text, count] : driver.boxTexts) {
        std::printf("soak: box \"%s\" x%d\n", text.c_str(), count);
    }
    if (turns >= kWarmUpTurns) {
        std::printf("soak: live heap %zu bytes at turn %d, %zu bytes at the end (%+lld)\n",
                    heapAtWarmUp, kWarmUpTurns, heapAtEnd,
                    static_cast<long long>(heapAtEnd) - static_cast<long long>(heapAtWarmUp));
        EXPECT_LT(heapAtEnd, heapAtWarmUp + kMaxGrowth);
    }

    // Only the Escape question and the Info box: the pack is whole.
    for (const auto& [text, count] : driver.boxTexts) {
        EXPECT_TRUE(text.rfind("Jeste\x9C pewny", 0) == 0 || text.rfind("Tw\xF3rca gry", 0) == 0)
            << text;
    }
    expectTableSound(*getScoreTable());
    EXPECT_LE(std::strlen(lastName), 31u);
    if (turns >= kDefaultTurns) {
        // Long enough for the whole game to have been seen.
        EXPECT_GT(driver.roomsEntered[Place::Menu], 1);
        EXPECT_GT(driver.roomsEntered[Place::Scoreboard], 0);
        EXPECT_GT(driver.roomsEntered[Place::Game], 0);
        EXPECT_GT(driver.questions, 0);
        EXPECT_GT(driver.namesAsked, 0);
    }
}

} // namespace
