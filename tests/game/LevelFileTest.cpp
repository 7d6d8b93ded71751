// Tests of the level file parser, the kind codes, the coordinates and the level bonus.
#include "game/Level.h"
#include "rooms/RGame.h"

#include "tests/game/GamePack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(ParseLevel, ReadsTheCountAndEveryRecordInOrder) {
    const std::vector<std::uint8_t> bytes =
        encodeLevel({{1, 96.9f, 64.5f}, {2, 100.0f, 200.0f}, {7, -3.0f, 0.0f}});
    ASSERT_EQ(bytes.size(), 4u + 3u * 12u);
    std::vector<StoneRecord> records;
    ASSERT_TRUE(parseLevel(bytes.data(), bytes.size(), records));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].kind, 1);
    EXPECT_FLOAT_EQ(records[0].x, 96.9f);
    EXPECT_FLOAT_EQ(records[0].y, 64.5f);
    EXPECT_EQ(records[1].kind, 2);
    EXPECT_EQ(records[2].kind, 7);
    EXPECT_FLOAT_EQ(records[2].x, -3.0f);
}

TEST(ParseLevel, EmptyLevelAndTrailingBytes) {
    std::vector<std::uint8_t> bytes = encodeLevel({});
    std::vector<StoneRecord> records{{1, 0, 0}};
    ASSERT_TRUE(parseLevel(bytes.data(), bytes.size(), records));
    EXPECT_TRUE(records.empty());
    bytes = encodeLevel({{3, 1, 2}});
    bytes.insert(bytes.end(), {9, 9, 9, 9, 9});
    ASSERT_TRUE(parseLevel(bytes.data(), bytes.size(), records));
    EXPECT_EQ(records.size(), 1u);
}

TEST(ParseLevel, RefusesBytesShorterThanTheCountSays) {
    std::vector<std::uint8_t> bytes = encodeLevel({{1, 40, 40}, {2, 120, 40}});
    std::vector<StoneRecord> records;
    // One byte short of the second record: the whole level is refused.
    EXPECT_FALSE(parseLevel(bytes.data(), bytes.size() - 1, records));
    EXPECT_TRUE(records.empty());
    // Shorter than the count itself, and no bytes at all.
    EXPECT_FALSE(parseLevel(bytes.data(), 3, records));
    EXPECT_FALSE(parseLevel(nullptr, 0, records));
    // Counts whose byte size would overflow 32 bits.
    for (std::uint32_t count : {0x15555556u, 0xFFFFFFFFu, 0x80000000u}) {
        writeU32le(bytes.data(), count);
        EXPECT_FALSE(parseLevel(bytes.data(), bytes.size(), records)) << count;
    }
}

TEST(StoneColourOfKind, ThreeKindsAndGreenForAnyOther) {
    EXPECT_EQ(stoneColourOfKind(1), Purple);
    EXPECT_EQ(stoneColourOfKind(2), Orange);
    EXPECT_EQ(stoneColourOfKind(3), Green);
    EXPECT_EQ(stoneColourOfKind(0), Green);
    EXPECT_EQ(stoneColourOfKind(7), Green);
    EXPECT_EQ(stoneColourOfKind(-1), Green);
}

TEST(LevelCoordinate, TruncatesTowardZeroAndMarksOutOfRange) {
    EXPECT_EQ(levelCoordinate(96.9f), 96);
    EXPECT_EQ(levelCoordinate(64.5f), 64);
    EXPECT_EQ(levelCoordinate(-2.7f), -2);
    EXPECT_EQ(levelCoordinate(2147483520.0f), 2147483520); // largest float below 2^31
    const std::int32_t marked = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(levelCoordinate(2147483648.0f), marked);
    EXPECT_EQ(levelCoordinate(1e30f), marked);
    EXPECT_EQ(levelCoordinate(-1e30f), marked);
    EXPECT_EQ(levelCoordinate(std::nanf("")), marked);
    EXPECT_EQ(levelCoordinate(std::numeric_limits<float>::infinity()), marked);
}

TEST(LevelBonus, ATenthOfThePointsPerLifeInSinglePrecision) {
    EXPECT_FLOAT_EQ(levelBonus(1500, 2), 300.0f);
    EXPECT_EQ(pointsWithBonus(1500, 2), 1800u);
    EXPECT_EQ(pointsWithBonus(1000, 3), 1300u);
    EXPECT_EQ(pointsWithBonus(0, 3), 0u);
    EXPECT_EQ(pointsWithBonus(10, 1), 11u);
    EXPECT_EQ(pointsWithBonus(15, 1), 16u); // 16.5 truncated
    // Single precision: 16777217 has no float of its own and comes back as 16777216.
    EXPECT_EQ(pointsWithBonus(16777217, 0), 16777216u);
    EXPECT_EQ(pointsWithBonus(4000000000u, 3), 0xFFFFFFFFu); // saturates instead of overflowing
}

} // namespace
