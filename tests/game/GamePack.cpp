// Test packs for the game room: solid-colour pictures and level files.
#include "tests/game/GamePack.h"

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
        {"background.png", solidPng(200, 200, 0xFFE0E0FF)},
        {"logo.png", solidPng(638, 158, 0xFF404040)},
        {"button.png", solidPng(160, 48, 0xFFC0C0C0)},
        {"wall_block.png", solidPng(32, 32, kWallColour)},
        {"wall_block_red.png", solidPng(32, 32, 0xFFC00000)},
        {"ball_blue.png", solidPng(16, 16, kBallColour)},
        {"bat_huge.png", solidPng(96, 16, kBatColour)},
        {"stone_glow_green.png", solidPng(64, 32, kStoneColour)},
        {"stone_glow_orange.png", solidPng(64, 32, 0xFFFF8000)},
        {"stone_glow_purple.png", solidPng(64, 32, 0xFF8000FF)},
        {"stone_breaking_green.png", solidPng(320, 32, 0xFF00FF00)},
        {"stone_breaking_orange.png", solidPng(320, 32, 0xFFFFC000)},
        {"stone_breaking_purple.png", solidPng(320, 32, 0xFFC080FF)},
    };
}

std::vector<PackFile> gamePicturesWithout(const std::string& name) {
    return without(gamePictures(), name);
}

PackFile levelFile(int number, std::vector<std::uint8_t> bytes) {
    return {"Level" + std::to_string(number) + ".zxm", std::move(bytes)};
}

} // namespace zxtest
