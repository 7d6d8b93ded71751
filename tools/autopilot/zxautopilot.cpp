// zxautopilot: a test tool that plays whole runs headless through the player's own input path
// (key events into SDL's queue, the game's main loop), steering the bat under the ball, and so
// records replays: a run lost on level 1, one through level 2 with the Escape question answered
// "Nie" and a pause, and one that clears all six levels (proving each can be cleared).
//
//   zxautopilot PLAN FOLDER [NAME]    PLAN: lose | level2 | win; the replay goes to FOLDER
#include "app/Game.h"
#include "game/Ball.h"
#include "game/PlayField.h"
#include "game/Player.h"
#include "gfx/Sprite.h"
#include "rooms/RGame.h"
#include "score/NameDialog.h"
#include "tests/support/GameHarness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A run longer than this (an hour of play) is stuck: the ball caught in a loop.
constexpr long kMostUpdates = 60L * 60 * 60;

struct Plan {
    bool steer = true;        // steer the bat under the ball at all
    int lastLevel = 6;        // steer up to this level, then let the ball go
    bool askAndPause = false; // answer Escape's question "Nie" and pause, on level 1
};

// Where the bat aims under a falling ball: a little to one side, changing with each bounce so
// that the ball's path does not repeat for ever.
int aimOffset(int bounces) {
    return (bounces * 37) % 61 - 30;
}

// Where the ball's centre comes down to the bat, with its bounces off the side walls; where it
// is now while it rises.
int landingCentre(const Ball& ball, const Player& bat) {
    const int left = static_cast<int>(kWallWidth);
    const int right = static_cast<int>(kScreenWidth - kWallWidth - kBallSize);
    int x = static_cast<int>(ball.getX());
    if (ball.getDy() > 0) {
        const int steps =
            (static_cast<int>(bat.getY()) - static_cast<int>(ball.getY())) / ball.getDy();
        int dx = ball.getDx();
        for (int i = 0; i < steps; ++i) {
            if (x + dx < left || x + dx > right) {
                dx = -dx;
            }
            x += dx;
        }
    }
    return x + static_cast<int>(kBallSize / 2);
}

bool play(zxtest::GameHarness& harness, const Plan& plan) {
    harness.step();         // the menu's first look at the mouse
    harness.tap(SDLK_DOWN); // the first press highlights "Graj"
    harness.step();
    harness.tap(SDLK_RETURN);
    harness.step();
    zxtest::HeldKey steering(harness);
    int bounces = 0;
    int lastDy = 0;
    for (long n = 0; n < kMostUpdates; ++n) {
        RGame* room = getGameRoom();
        if (room == nullptr || room->getBall() == nullptr) {
            std::fprintf(stderr, "zxautopilot: the game room is gone\n");
            return false;
        }
        const Ball* ball = room->getBall();
        const Player* bat = room->getPlayer();
        switch (ball->getState()) {
        case Waiting:
            steering.hold(0);
            if (n % 20 == 0) {
                harness.tap(SDLK_SPACE);
            }
            break;
        case LevelCleared:
            steering.hold(0);
            harness.tap(SDLK_RETURN);
            break;
        case Lost:
        case GameCompleted:
            steering.hold(0);
            harness.step();
            return true;
        default: {
            if (ball->getDy() < 0 && lastDy > 0) {
                ++bounces;
            }
            lastDy = ball->getDy();
            const int batCentre = static_cast<int>(bat->getX() + kBatWidth / 2);
            const int target = landingCentre(*ball, *bat) + aimOffset(bounces);
            const bool steer = plan.steer && room->getLevel() <= plan.lastLevel;
            // Just before the contact the bat swings, so that it gives the ball a new angle.
            const int landing = landingCentre(*ball, *bat);
            const bool close =
                ball->getDy() > 0 && ball->getY() + 2 * ball->getDy() + kBallSize >= bat->getY();
            if (steer && close && std::abs(batCentre - landing) < 30) {
                steering.hold(bounces % 2 == 0 ? SDLK_LEFT : SDLK_RIGHT);
                harness.step();
                continue;
            }
            // Not steering, the bat keeps away from the ball, which falls past it.
            const SDL_Keycode away = batCentre < target ? SDLK_LEFT : SDLK_RIGHT;
            steering.hold(!steer                   ? away
                          : batCentre < target - 6 ? SDLK_RIGHT
                          : batCentre > target + 6 ? SDLK_LEFT
                                                   : 0);
            break;
        }
        }
        if (plan.askAndPause && room->getLevel() == 1) {
            if (n == 300) {
                harness.tap(SDLK_ESCAPE); // answered "Nie" by the harness
            } else if (n == 600 || n == 690) {
                harness.tap(SDLK_p);
            }
        }
        harness.step();
    }
    std::fprintf(stderr, "zxautopilot: the run did not end within %ld updates\n", kMostUpdates);
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zxautopilot lose|level2|win FOLDER [NAME]\n");
        return 2;
    }
    Plan plan;
    if (std::strcmp(argv[1], "lose") == 0) {
        plan.steer = false;
    } else if (std::strcmp(argv[1], "level2") == 0) {
        plan.lastLevel = 2;
        plan.askAndPause = true;
    } else if (std::strcmp(argv[1], "win") != 0) {
        std::fprintf(stderr, "zxautopilot: unknown plan '%s'\n", argv[1]);
        return 2;
    }
    const std::string name = argc > 3 ? argv[3] : "Autopilot";
    setNameDialogAnswerer([&name](const std::string&) { return NameDialogAnswer{true, name}; });
    zxtest::GameHarness harness;
    if (!harness.started()) {
        return 1;
    }
    harness.game().setPaced(false);
    harness.game().recordRuns(argv[2], ZX_VERSION);
    const bool ended = play(harness, plan);
    RGame* room = getGameRoom();
    std::printf("%s: level %d, %u points\n", ended ? "ended" : "stuck",
                room != nullptr ? static_cast<int>(room->getLevel()) : 0,
                room != nullptr ? room->getTotalScore() : 0);
    return ended ? 0 : 1;
}
