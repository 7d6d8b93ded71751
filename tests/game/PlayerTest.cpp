// Tests of the bat: keys (a, d and the arrows), acceleration, top speed and the wall limits.
#include "game/Player.h"
#include "game/PlayField.h"
#include "gfx/Sprite.h"
#include "tests/game/GameRoomFixture.h"
#include "tests/game/GameTestAccess.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zxtest::keyEvent;

class PlayerTest : public zxtest::GameRoomFixture {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startQuiet());
        ASSERT_NE(enterGame(), nullptr);
        bat = room()->getPlayer();
        ASSERT_NE(bat, nullptr);
    }
    void key(Uint32 type, SDL_Keycode code) {
        SDL_Event event = keyEvent(type, code);
        bat->handleEvent(&event);
    }
    // The bat's x after each of count updates.
    std::vector<std::uint32_t> run(int count) {
        std::vector<std::uint32_t> xs;
        for (int i = 0; i < count; ++i) {
            bat->update();
            xs.push_back(bat->getX());
        }
        return xs;
    }

    Player* bat = nullptr;
};

TEST_F(PlayerTest, StartsCentredAtRestWithItsSpritePlaced) {
    EXPECT_EQ(bat->getX(), 352u);
    EXPECT_EQ(bat->getY(), 560u);
    EXPECT_EQ(bat->getSpeed(), 0);
    ASSERT_NE(bat->getSprite(), nullptr);
    EXPECT_EQ(bat->getSprite()->getWidth(), 96u);
    EXPECT_EQ(bat->getSprite()->getHeight(), 16u);
    // Placed when made, before any update.
    EXPECT_EQ(bat->getSprite()->getPosition().x, 352.0f);
    EXPECT_EQ(bat->getSprite()->getPosition().y, 560.0f);
}

TEST_F(PlayerTest, HoldingDAcceleratesToTenAndReleasingStops) {
    key(SDL_KEYDOWN, SDLK_d);
    EXPECT_EQ(run(7), (std::vector<std::uint32_t>{354, 358, 364, 372, 382, 392, 402}));
    EXPECT_EQ(bat->getSpeed(), 10);
    EXPECT_EQ(bat->getSprite()->getPosition().x, 402.0f);
    key(SDL_KEYUP, SDLK_d);
    EXPECT_EQ(run(2), (std::vector<std::uint32_t>{402, 402}));
    EXPECT_EQ(bat->getSpeed(), 0);
}

TEST_F(PlayerTest, ReversingDeceleratesThroughZero) {
    GameTestAccess::setSpeed(*bat, 10);
    key(SDL_KEYDOWN, SDLK_a);
    std::vector<std::int32_t> speeds;
    for (int i = 0; i < 11; ++i) {
        bat->update();
        speeds.push_back(bat->getSpeed());
    }
    EXPECT_EQ(speeds, (std::vector<std::int32_t>{8, 6, 4, 2, 0, -2, -4, -6, -8, -10, -10}));
}

TEST_F(PlayerTest, CreepsUpToTheLeftWall) {
    GameTestAccess::place(*bat, kWallWidth + 8, kBatTop);
    GameTestAccess::setSpeed(*bat, -10);
    key(SDL_KEYDOWN, SDLK_a);
    EXPECT_EQ(run(8), (std::vector<std::uint32_t>{40, 38, 34, 34, 32, 32, 32, 32}));
}

TEST_F(PlayerTest, NeverPassesTheRightLimit) {
    key(SDL_KEYDOWN, SDLK_d);
    std::uint32_t highest = 0;
    for (std::uint32_t x : run(80)) {
        highest = std::max(highest, x);
    }
    EXPECT_EQ(highest, kScreenWidth - kWallWidth - kBatWidth); // 672
    EXPECT_EQ(bat->getX(), highest);
}

TEST_F(PlayerTest, TheArrowsSteerExactlyAsAAndD) {
    key(SDL_KEYDOWN, SDLK_SPACE);
    key(SDL_KEYDOWN, SDLK_w);
    EXPECT_EQ(GameTestAccess::direction(*bat), DirNone);
    EXPECT_EQ(run(3), (std::vector<std::uint32_t>{kBatStartX, kBatStartX, kBatStartX}));
    // d pressed while a is held takes over; releasing a then stops the bat. The same with the
    // arrows, and mixed.
    const SDL_Keycode pairs[3][2] = {
        {SDLK_a, SDLK_d}, {SDLK_LEFT, SDLK_RIGHT}, {SDLK_a, SDLK_RIGHT}};
    for (const auto& pair : pairs) {
        key(SDL_KEYDOWN, pair[0]);
        EXPECT_EQ(GameTestAccess::direction(*bat), DirLeft);
        key(SDL_KEYDOWN, pair[1]);
        EXPECT_EQ(GameTestAccess::direction(*bat), DirRight);
        key(SDL_KEYUP, pair[0]);
        EXPECT_EQ(GameTestAccess::direction(*bat), DirNone);
    }
    // Held, the Right arrow speeds the bat up as d does.
    key(SDL_KEYDOWN, SDLK_RIGHT);
    EXPECT_EQ(run(3),
              (std::vector<std::uint32_t>{kBatStartX + 2, kBatStartX + 6, kBatStartX + 12}));
}

} // namespace
