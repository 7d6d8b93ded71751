// Test packs for the game room: solid-colour pictures and level files.
#include "tests/game/GamePack.h"

#include "game/PlayField.h"
#include "rooms/MenuLayout.h"
#include "tests/support/PackFiles.h"
#include "tests/support/PictureBytes.h"

namespace zxtest {

namespace {

// A PNG of width x height pixels, all of one ARGB colour.
std::vector<std::uint8_t> solidPng(int width, int height, std::uint32_t argb) {
    return makePng(width, height, [argb](int, int) { return argb; });
}

} // namespace

std::vector<PackFile> gamePictures() {
    return {
        {"background.png", solidPng(kBackgroundTile, kBackgroundTile, 0xFFE0E0FF)},
        {"logo.png", solidPng(kLogoWidth, kLogoHeight, 0xFF404040)},
        {"button.png", solidPng(kButtonWidth, kButtonHeight, 0xFFC0C0C0)},
        {"wall_block.png", solidPng(kWallWidth, kWallWidth, kWallColour)},
        {"wall_block_red.png", solidPng(kWallWidth, kWallWidth, 0xFFC00000)},
        {"ball_blue.png", solidPng(kBallSize, kBallSize, kBallColour)},
        {"bat_huge.png", solidPng(kBatWidth, kBatHeight, kBatColour)},
        {"stone_glow_green.png", solidPng(kStoneWidth, kStoneHeight, kStoneColour)},
        {"stone_glow_orange.png", solidPng(kStoneWidth, kStoneHeight, 0xFFFF8000)},
        {"stone_glow_purple.png", solidPng(kStoneWidth, kStoneHeight, 0xFF8000FF)},
        {"stone_breaking_green.png", solidPng(5 * kStoneWidth, kStoneHeight, 0xFF00FF00)},
        {"stone_breaking_orange.png", solidPng(5 * kStoneWidth, kStoneHeight, 0xFFFFC000)},
        {"stone_breaking_purple.png", solidPng(5 * kStoneWidth, kStoneHeight, 0xFFC080FF)},
    };
}

std::vector<PackFile> gamePicturesWithout(const std::string& name) {
    return without(gamePictures(), name);
}

PackFile levelFile(int number, std::vector<std::uint8_t> bytes) {
    return {"Level" + std::to_string(number) + ".zxm", std::move(bytes)};
}

} // namespace zxtest
