// FieldWalls: the walls' strips laid out on the screen and given their pictures.
#include "rooms/FieldWalls.h"

#include "app/Globals.h"
#include "game/PlayField.h"
#include "gfx/Background.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"

namespace {

// A wall strip of 32 x 32 tiles with its picture.
Background* makeWall(float x, float y, std::uint32_t areaWidth, std::uint32_t areaHeight,
                     std::uint32_t repeat, const char* picture) {
    Background* wall =
        new Background(kWallWidth, kWallWidth, x, y, 0, areaWidth, areaHeight, repeat);
    PackerReader* reader = getPackerReader();
    wall->loadTexture(reader != nullptr ? reader->getEntry(picture) : nullptr);
    return wall;
}

} // namespace

void makeFieldWalls(Background* walls[kFieldWallCount]) {
    const std::uint32_t w = getScreenWidth();
    const std::uint32_t h = getScreenHeight();
    walls[0] = makeWall(0.0f, 0.0f, 0, h, RepeatY, kWallEntry);
    walls[1] = makeWall(0.0f, 0.0f, w, 0, RepeatX, kWallEntry);
    walls[2] = makeWall(static_cast<float>(w - kWallWidth), 0.0f, 0, h, RepeatY, kWallEntry);
    walls[3] = makeWall(static_cast<float>(kWallWidth), static_cast<float>(h - kWallWidth),
                        w - 2 * kWallWidth, 0, RepeatX, kRedWallEntry);
}
