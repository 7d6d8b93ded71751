// The game started from packs whose pictures, icon, font or levels are damaged, then played.
#include "app/Game.h"
#include "game/LevelFormat.h"
#include "game/PlayField.h"
#include "tests/robust/RobustPlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using robust::PlayLog;

// Ways a picture, the icon or the font can be damaged.
enum class Damage { Truncated, RandomBytes, SignatureThenNoise, Empty };

bool isPictureIconOrFont(const std::string& name) {
    return name.ends_with(".png") || name.ends_with(".bmp") || name.ends_with(".ttf");
}

Bytes damaged(const Bytes& bytes, Damage damage, std::mt19937& random) {
    switch (damage) {
    case Damage::Truncated:
        return Bytes(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2));
    case Damage::RandomBytes: {
        Bytes noise(bytes.size());
        std::generate(noise.begin(), noise.end(),
                      [&] { return static_cast<std::uint8_t>(random()); });
        return noise;
    }
    case Damage::SignatureThenNoise: {
        // The first 24 bytes (PNG signature and header chunk start, BMP and TTF headers) kept.
        Bytes noise = bytes;
        for (std::size_t i = 24; i < noise.size(); ++i) {
            noise[i] = static_cast<std::uint8_t>(random());
        }
        return noise;
    }
    case Damage::Empty:
        return {};
    }
    return bytes;
}

class DamagedPictures : public testing::TestWithParam<Damage> {};

TEST_P(DamagedPictures, GameRunsWithoutThemAndNamesEachUndecodablePicture) {
    std::mt19937 random(1234);
    std::vector<PackFile> files = zxtest::builtPackFiles();
    for (PackFile& file : files) {
        if (isPictureIconOrFont(file.name)) {
            file.bytes = damaged(file.bytes, GetParam(), random);
        }
    }
    zxtest::TempDir packDir;
    testing::internal::CaptureStdout();
    zxtest::GameHarness harness(zxtest::writePackIn(packDir, files));
    const bool started = harness.started();
    const PlayLog log = robust::playALittle(harness);
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(started);
    EXPECT_TRUE(harness.game().isRunning());
    // Every entry is there: no box but the Escape question.
    EXPECT_EQ(robust::invalidDataBoxes(harness), 0);
    EXPECT_EQ(robust::unexpectedBoxes(harness), std::vector<std::string>{});
    EXPECT_TRUE(log.sawScoreboard);
    ASSERT_TRUE(log.sawGame);
    EXPECT_EQ(log.endState, GameCompleted);
    EXPECT_EQ(log.namesAsked, 1);
    EXPECT_TRUE(log.backInMenu);
    for (const char* picture : {"button.png", "ball_blue.png", "bat_huge.png",
                                "stone_glow_green.png", "stone_breaking_purple.png"}) {
        EXPECT_NE(out.find(std::string("Cannot load texture from packed file ") + picture),
                  std::string::npos)
            << picture;
    }
}

std::string damageName(const testing::TestParamInfo<Damage>& info) {
    const char* const names[] = {"Truncated", "RandomBytes", "SignatureThenNoise", "Empty"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EachDamage, DamagedPictures,
                         testing::Values(Damage::Truncated, Damage::RandomBytes,
                                         Damage::SignatureThenNoise, Damage::Empty),
                         damageName);

// Level bytes: a count, then records of a kind and two floats, written as given.
struct LevelBytes {
    Bytes bytes;
    LevelBytes& u32(std::uint32_t value) {
        appendU32le(bytes, value);
        return *this;
    }
    LevelBytes& stone(std::int32_t kind, float x, float y) {
        appendStoneRecord(bytes, {kind, x, y});
        return *this;
    }
};

// Starts the game with the built pack whose entry level is replaced by bytes, and plays.
PlayLog playWithLevel(const std::string& level, const Bytes& bytes, zxtest::TempDir& packDir,
                      std::unique_ptr<zxtest::GameHarness>& harness) {
    std::vector<PackFile> files = zxtest::builtPackFiles();
    *zxtest::bytesOf(files, level) = bytes;
    harness = std::make_unique<zxtest::GameHarness>(zxtest::writePackIn(packDir, files));
    EXPECT_TRUE(harness->started());
    return robust::playALittle(*harness);
}

TEST(DamagedLevels, AFirstLevelShorterThanItsCountIsRefusedAndTheMenuComesBack) {
    const Bytes countNearOverflow = LevelBytes{}.u32(0x15555556u).stone(1, 64, 64).bytes;
    const Bytes shortOfItsCount =
        LevelBytes{}.u32(10).stone(1, 64, 64).stone(2, 128, 64).stone(3, 192, 64).bytes;
    Bytes lastRecordCut = LevelBytes{}.u32(1).stone(1, 64, 64).bytes;
    lastRecordCut.pop_back();
    const Bytes cases[] = {
        {},
        {1, 0},
        shortOfItsCount,
        LevelBytes{}.u32(0xFFFFFFFFu).stone(1, 64, 64).bytes,
        countNearOverflow, // 12 times the count wraps to 8 in 32 bits
        LevelBytes{}.u32(1).bytes,
        lastRecordCut,
    };
    for (const Bytes& bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes.size()) + " bytes");
        zxtest::TempDir packDir;
        std::unique_ptr<zxtest::GameHarness> harness;
        const PlayLog log = playWithLevel("Level1.zxm", bytes, packDir, harness);
        EXPECT_FALSE(log.sawGame);
        EXPECT_TRUE(log.backInMenu);
        EXPECT_EQ(robust::invalidDataBoxes(*harness), 1);
        EXPECT_TRUE(harness->game().isRunning());
    }
}

TEST(DamagedLevels, ARefusedLaterLevelEndsTheRunAsLost) {
    zxtest::TempDir packDir;
    std::unique_ptr<zxtest::GameHarness> harness;
    const PlayLog log =
        playWithLevel("Level3.zxm", LevelBytes{}.u32(2).stone(1, 64, 64).bytes, packDir, harness);
    ASSERT_TRUE(log.sawGame);
    EXPECT_EQ(log.lastLevel, 3);
    EXPECT_EQ(log.endState, Lost);
    EXPECT_EQ(log.namesAsked, 1);
    EXPECT_EQ(robust::invalidDataBoxes(*harness), 0);
}

TEST(DamagedLevels, StonesAnywhereOrOfAnyKindArePlayedThrough) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float tiny = std::numeric_limits<float>::denorm_min();
    LevelBytes odd;
    odd.u32(14)
        .stone(1, nan, nan)
        .stone(2, inf, -inf)
        .stone(3, -inf, 64)
        .stone(0, 1e30f, -1e30f)
        .stone(7, -0.0f, tiny)
        .stone(-1, -5.5f, -64.9f)
        .stone(std::numeric_limits<std::int32_t>::min(), 2147483520.0f, 2147483520.0f)
        .stone(std::numeric_limits<std::int32_t>::max(), 4294967040.0f, 100)
        .stone(1, 767.9f, 607.9f)
        .stone(2, kScreenWidth, kScreenHeight)
        // On and around the bat and the waiting ball.
        .stone(3, kBatStartX, kBatTop)
        .stone(1, 384, 536)
        .stone(2, kBallRestX, kBallRestY)
        .stone(3, kWallWidth, kWallWidth);
    // Bytes after the last record are ignored.
    odd.bytes.insert(odd.bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF, 0x01});

    LevelBytes crowd;
    std::mt19937 random(99);
    crowd.u32(800);
    for (int i = 0; i < 800; ++i) {
        crowd.stone(static_cast<std::int32_t>(random() % 5),
                    static_cast<float>(random() % 900) - 50.0f,
                    static_cast<float>(random() % 700) - 50.0f);
    }
    for (const Bytes& bytes : {odd.bytes, crowd.bytes, LevelBytes{}.u32(0).bytes}) {
        SCOPED_TRACE(testing::PrintToString(bytes.size()) + " bytes");
        zxtest::TempDir packDir;
        std::unique_ptr<zxtest::GameHarness> harness;
        const PlayLog log = playWithLevel("Level1.zxm", bytes, packDir, harness);
        ASSERT_TRUE(log.sawGame);
        EXPECT_EQ(log.endState, GameCompleted);
        EXPECT_EQ(log.lastLevel, 6);
        EXPECT_EQ(log.namesAsked, 1);
        EXPECT_TRUE(log.backInMenu);
        EXPECT_EQ(robust::unexpectedBoxes(*harness), std::vector<std::string>{});
        EXPECT_EQ(robust::invalidDataBoxes(*harness), 0);
    }
}

TEST(DamagedLevels, RandomBytesInEveryLevelNeverStopTheGame) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        std::vector<PackFile> files = zxtest::builtPackFiles();
        for (int level = 1; level <= 6; ++level) {
            Bytes& bytes = *zxtest::bytesOf(files, "Level" + std::to_string(level) + ".zxm");
            // A small count, so that some levels hold all their records, and random records.
            bytes.assign(4 + random() % 120, 0);
            std::generate(bytes.begin(), bytes.end(),
                          [&] { return static_cast<std::uint8_t>(random()); });
            bytes[0] = static_cast<std::uint8_t>(random() % 12);
            bytes[1] = bytes[2] = bytes[3] = 0;
        }
        zxtest::TempDir packDir;
        zxtest::GameHarness harness(zxtest::writePackIn(packDir, files));
        ASSERT_TRUE(harness.started());
        const PlayLog log = robust::playALittle(harness);
        EXPECT_TRUE(harness.game().isRunning());
        EXPECT_TRUE(log.backInMenu);
        EXPECT_EQ(robust::unexpectedBoxes(harness), std::vector<std::string>{});
        // A refused first level gives its box; any other run ends with its name asked once.
        EXPECT_EQ(log.sawGame ? log.namesAsked : robust::invalidDataBoxes(harness), 1);
    }
}

} // namespace
