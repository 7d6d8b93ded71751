// zxart: draws every picture of the game's pack into a folder (PNG pictures, BMP window icon),
// with --icons the desktop's icons of the game, or with --ico the Windows program's icon file.
#include "tools/content/LogoArt.h"
#include "tools/content/MenuArt.h"
#include "tools/content/PlayArt.h"
#include "tools/content/StoneArt.h"

#include "game/StoneKinds.h"
#include "pack/ByteOrder.h"
#include "pack/PackEntries.h"
#include "tools/FileBytes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

void appendLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Writes canvas to dir/name as PNG, or as BMP when the name ends in ".bmp"; false on failure.
bool save(const Canvas& canvas, const std::string& dir, const std::string& name) {
    const std::string path = dir + "/" + name;
    const bool bmp = name.ends_with(".bmp");
    if (bmp ? canvas.saveBmp(path) : canvas.savePng(path)) {
        return true;
    }
    std::fprintf(stderr, "zxart: cannot write %s\n", path.c_str());
    return false;
}

// The background's top-left pixel decides the scoreboard panel's colour; refuse a tile that
// does not keep it.
bool checkBackgroundCorner(const Canvas& background) {
    if (background.toArgb().front() == kBackgroundCornerArgb) {
        return true;
    }
    std::fprintf(stderr, "zxart: the background's top-left pixel is not %08X\n",
                 kBackgroundCornerArgb);
    return false;
}

// Writes a Windows icon file: the window icon's art at 16, 32, 48 and 256 pixels, each
// stored as a PNG (as Windows has read icons since Vista).
bool saveWindowsIcon(const std::string& path) {
    const int sizes[] = {16, 32, 48, 256};
    std::vector<std::vector<std::uint8_t>> images;
    for (const int size : sizes) {
        const std::string part = path + "." + std::to_string(size) + ".png";
        std::vector<std::uint8_t> bytes;
        const bool ok = drawIcon(size).savePng(part) && readFileBytes(part, bytes);
        std::remove(part.c_str());
        if (!ok) {
            std::fprintf(stderr, "zxart: cannot draw the %d-pixel icon\n", size);
            return false;
        }
        images.push_back(std::move(bytes));
    }
    // The header (reserved, type 1 = icon, count), then one 16-byte entry per image: width and
    // height (0 meaning 256), colour count, reserved, planes, bits per pixel, size, offset.
    std::vector<std::uint8_t> file;
    appendLe16(file, 0);
    appendLe16(file, 1);
    appendLe16(file, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto side = static_cast<std::uint8_t>(sizes[i] == 256 ? 0 : sizes[i]);
        file.insert(file.end(), {side, side, 0, 0});
        appendLe16(file, 1);
        appendLe16(file, 32);
        appendU32le(file, static_cast<std::uint32_t>(images[i].size()));
        appendU32le(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) {
        file.insert(file.end(), image.begin(), image.end());
    }
    if (writeFileBytes(path, file.data(), file.size())) {
        return true;
    }
    std::fprintf(stderr, "zxart: cannot write %s\n", path.c_str());
    return false;
}

// Writes the desktop's icons, the window icon's art at the sizes of the icon theme, as
// dir/zembrix-<size>.png.
bool saveDesktopIcons(const std::string& dir) {
    bool ok = true;
    for (const int size : {48, 64, 128, 256}) {
        ok = save(drawIcon(size), dir, "zembrix-" + std::to_string(size) + ".png") && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icons") {
        return saveDesktopIcons(argv[2]) ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "--ico") {
        return saveWindowsIcon(argv[2]) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: zxart OUTPUT_DIR | zxart --icons OUTPUT_DIR | zxart --ico FILE\n");
        return 2;
    }
    const std::string dir = argv[1];
    const Canvas background = drawBackground();
    bool ok = checkBackgroundCorner(background);
    ok = save(drawIcon(), dir, kIconEntry) && ok;
    ok = save(background, dir, kBackgroundEntry) && ok;
    ok = save(drawLogo(), dir, kLogoEntry) && ok;
    ok = save(drawButton(), dir, kButtonEntry) && ok;
    ok = save(drawWallBlock(false), dir, kWallEntry) && ok;
    ok = save(drawWallBlock(true), dir, kRedWallEntry) && ok;
    ok = save(drawBall(), dir, kBallEntry) && ok;
    ok = save(drawBat(), dir, kBatEntry) && ok;
    // Each kind's family of pictures; the families follow the kinds' colours.
    for (const StoneKind& kind : kStoneKinds) {
        const StoneFamily family = static_cast<StoneFamily>(kind.colour);
        ok = save(drawGlowStone(family), dir, kind.glowing) && ok;
        ok = save(drawBreakingStrip(family), dir, kind.breaking) && ok;
    }
    return ok ? 0 : 1;
}
