// Test packs for the game room: solid-colour pictures under every name the game loads, and
// level files (encodeLevel of the level tools).
#pragma once

#include "game/Level.h"
#include "game/LevelFile.h"
#include "tools/packtool/PackWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zxtest {

// Colours (ARGB) of the test pictures, so that frames show where each object stands.
constexpr std::uint32_t kWallColour = 0xFF808080;
constexpr std::uint32_t kBatColour = 0xFFFF0000;
constexpr std::uint32_t kBallColour = 0xFF0000FF;
constexpr std::uint32_t kStoneColour = 0xFF00C000;

// Every picture the menu and the game room load, as solid PNGs of their sizes.
std::vector<PackFile> gamePictures();

// gamePictures without the entry of that name.
std::vector<PackFile> gamePicturesWithout(const std::string& name);

// A pack file entry "Level<n>.zxm" with the given bytes.
PackFile levelFile(int number, std::vector<std::uint8_t> bytes);

} // namespace zxtest
