// Test packs for the game room: solid-colour pictures and level files.
#include "tests/game/GamePack.h"

#include "game/PlayField.h"
#include "pack/PackEntries.h"
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
        {kBackgroundEntry, solidPng(kBackgroundTile, kBackgroundTile, 0xFFE0E0FF)},
        {kLogoEntry, solidPng(kLogoWidth, kLogoHeight, 0xFF404040)},
        {kButtonEntry, solidPng(kButtonWidth, kButtonHeight, 0xFFC0C0C0)},
        {kWallEntry, solidPng(kWallWidth, kWallWidth, kWallColour)},
        {kRedWallEntry, solidPng(kWallWidth, kWallWidth, 0xFFC00000)},
        {kBallEntry, solidPng(kBallSize, kBallSize, kBallColour)},
        {kBatEntry, solidPng(kBatWidth, kBatHeight, kBatColour)},
        {kGreenStoneGlowEntry, solidPng(kStoneWidth, kStoneHeight, kStoneColour)},
        {kOrangeStoneGlowEntry, solidPng(kStoneWidth, kStoneHeight, 0xFFFF8000)},
        {kPurpleStoneGlowEntry, solidPng(kStoneWidth, kStoneHeight, 0xFF8000FF)},
        {kGreenStoneBreakingEntry, solidPng(5 * kStoneWidth, kStoneHeight, 0xFF00FF00)},
        {kOrangeStoneBreakingEntry, solidPng(5 * kStoneWidth, kStoneHeight, 0xFFFFC000)},
        {kPurpleStoneBreakingEntry, solidPng(5 * kStoneWidth, kStoneHeight, 0xFFC080FF)},
    };
}

std::vector<PackFile> gamePicturesWithout(const std::string& name) {
    return without(gamePictures(), name);
}

PackFile levelFile(int number, std::vector<std::uint8_t> bytes) {
    return {levelEntryName(number).data(), std::move(bytes)};
}

} // namespace zxtest
