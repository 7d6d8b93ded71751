// PlayField: the fixed geometry of the play screen in pixels, named once for the game, the rooms
// and the tests.
#pragma once

#include <cstdint>

// The window's client area.
constexpr std::uint32_t kScreenWidth = 800;
constexpr std::uint32_t kScreenHeight = 608;
// Walls are one 32 x 32 tile thick: left, top, right, and the red strip along the bottom.
constexpr std::uint32_t kWallWidth = 32;
// The ball picture is square.
constexpr std::uint32_t kBallSize = 16;
// The bat picture.
constexpr std::uint32_t kBatWidth = 96;
constexpr std::uint32_t kBatHeight = 16;
// A glowing stone; its breaking strip holds five such frames side by side.
constexpr std::uint32_t kStoneWidth = 64;
constexpr std::uint32_t kStoneHeight = 32;
// The bat's row: its top edge stands one bat height above the bottom wall (560).
constexpr std::uint32_t kBatTop = kScreenHeight - kWallWidth - kBatHeight;
// The bat's start: centred on the screen (352).
constexpr std::uint32_t kBatStartX = kScreenWidth / 2 - kBatWidth / 2;
// A ball moving right at a larger x than this has entered the right wall and turns (752).
constexpr std::uint32_t kRightWallLimit = kScreenWidth - kWallWidth - kBallSize;
// The lowest top edge of a ball in play (560, the bat's row): a ball further down is lost.
constexpr std::uint32_t kBallLowest = kScreenHeight - kWallWidth - kBallSize;
// Where the ball waits at the start: centred on the bat, one pixel above it (392, 543).
constexpr std::uint32_t kBallRestX = kBatStartX + kBatWidth / 2 - kBallSize / 2;
constexpr std::uint32_t kBallRestY = kBatTop - kBatHeight - 1;
