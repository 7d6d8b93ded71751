// Tests of the built data pack's pictures, icon and font, read through the game's own reader.
#include "ContentPaths.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "tests/support/GameHarness.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A picture entry and the size its owner draws it at.
struct Picture {
    const char* name;
    int width;
    int height;
};

const Picture kPictures[] = {
    {kBackgroundEntry, 200, 200},
    {kLogoEntry, 638, 158},
    {kButtonEntry, 160, 48},
    {kWallEntry, 32, 32},
    {kRedWallEntry, 32, 32},
    {kBallEntry, 16, 16},
    {kBatEntry, 96, 16},
    {kGreenStoneGlowEntry, 64, 32},
    {kOrangeStoneGlowEntry, 64, 32},
    {kPurpleStoneGlowEntry, 64, 32},
    {kGreenStoneBreakingEntry, 320, 32},
    {kOrangeStoneBreakingEntry, 320, 32},
    {kPurpleStoneBreakingEntry, 320, 32},
};

const char* const kStrips[] = {kGreenStoneBreakingEntry, kOrangeStoneBreakingEntry,
                               kPurpleStoneBreakingEntry};

// A decoded picture as ARGB8888 values, row by row.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;

    uint32_t at(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
    int alpha(int x, int y) const { return static_cast<int>(at(x, y) >> 24); }
};

class PackContentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("ZX_BIN_DIR"), nullptr) << "ZX_BIN_DIR names the build's bin/";
        ASSERT_TRUE(reader.open(zxtest::builtPackPath().c_str()))
            << zxtest::builtPackPath() << " is missing or unreadable";
    }

    // The entry's bytes, or an empty vector (with a test failure) if the pack lacks it.
    std::vector<uint8_t> bytesOf(const char* name) {
        PackEntry* entry = reader.getEntry(name);
        if (entry == nullptr) {
            ADD_FAILURE() << "the pack has no entry " << name;
            return {};
        }
        std::vector<uint8_t> bytes(entry->data, entry->data + entry->size);
        entry->freeData();
        return bytes;
    }

    // Decodes a picture entry with SDL_image; empty pixels when it does not decode.
    Pixels decode(const char* name) {
        const std::vector<uint8_t> bytes = bytesOf(name);
        Pixels out;
        if (bytes.empty()) {
            return out;
        }
        SDL_Surface* raw =
            IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        if (raw == nullptr) {
            ADD_FAILURE() << name << " does not decode: " << IMG_GetError();
            return out;
        }
        const bool hasAlpha = SDL_ISPIXELFORMAT_ALPHA(raw->format->format);
        SDL_Surface* surface = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(raw);
        if (surface == nullptr) {
            ADD_FAILURE() << name << " cannot be converted";
            return out;
        }
        EXPECT_TRUE(hasAlpha) << name << " carries no alpha channel";
        out.width = surface->w;
        out.height = surface->h;
        for (int y = 0; y < surface->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
            out.argb.insert(out.argb.end(), row, row + surface->w);
        }
        SDL_FreeSurface(surface);
        return out;
    }

    PackerReader reader;
};

TEST_F(PackContentTest, HoldsExactlyTheEntriesTheGameAsksFor) {
    for (const char* name : kGameEntries) {
        EXPECT_FALSE(bytesOf(name).empty()) << name;
    }
    EXPECT_EQ(reader.getEntryCount(), std::size(kGameEntries)) << "entries the game never asks for";
    EXPECT_EQ(reader.getEntry("Level7.zxm"), nullptr);
}

TEST_F(PackContentTest, PicturesDecodeAtTheSizesTheyAreDrawnAt) {
    for (const Picture& p : kPictures) {
        const Pixels pixels = decode(p.name);
        EXPECT_EQ(pixels.width, p.width) << p.name;
        EXPECT_EQ(pixels.height, p.height) << p.name;
    }
}

TEST_F(PackContentTest, SpritesAreTransparentAroundTheirShapes) {
    // Round shapes leave their corners clear; the stones' corners hold at most a faint halo.
    const struct {
        const char* name;
        int maxCornerAlpha;
    } sprites[] = {{kBallEntry, 0},
                   {kBatEntry, 0},
                   {kButtonEntry, 0},
                   {kGreenStoneGlowEntry, 40},
                   {kOrangeStoneGlowEntry, 40},
                   {kPurpleStoneGlowEntry, 40}};
    for (const auto& s : sprites) {
        const Pixels p = decode(s.name);
        ASSERT_FALSE(p.argb.empty()) << s.name;
        const int w = p.width - 1;
        const int h = p.height - 1;
        for (const auto& [x, y] : {std::pair{0, 0}, {w, 0}, {0, h}, {w, h}}) {
            EXPECT_LE(p.alpha(x, y), s.maxCornerAlpha) << s.name << " at " << x << "," << y;
        }
        EXPECT_EQ(p.alpha(p.width / 2, p.height / 2), 255) << s.name << " centre";
    }
}

TEST_F(PackContentTest, TilesAreOpaque) {
    for (const char* name : {kBackgroundEntry, kWallEntry, kRedWallEntry}) {
        const Pixels p = decode(name);
        ASSERT_FALSE(p.argb.empty()) << name;
        for (size_t i = 0; i < p.argb.size(); ++i) {
            ASSERT_EQ(p.argb[i] >> 24, 0xFFu) << name << " pixel " << i;
        }
    }
}

TEST_F(PackContentTest, BreakingStripsFallApartOverFiveFrames) {
    for (const char* name : kStrips) {
        const Pixels p = decode(name);
        ASSERT_FALSE(p.argb.empty()) << name;
        ASSERT_EQ(p.width % 5, 0) << name;
        const int frame = p.width / 5;
        EXPECT_EQ(frame, 64) << name;
        // How much of each frame is covered, as a sum of alpha.
        std::vector<double> cover(5, 0.0);
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                cover[x / frame] += p.alpha(x, y);
            }
        }
        EXPECT_GT(cover[0], 0.0) << name;
        for (int k = 1; k < 5; ++k) {
            EXPECT_LT(cover[k], cover[k - 1]) << name << " frame " << k;
        }
        EXPECT_LT(cover[4], 0.2 * cover[0]) << name << ": the last frame is nearly empty";
    }
}

TEST_F(PackContentTest, BackgroundCornerMakesTheScoreboardPanelLightBlue) {
    const Pixels p = decode("background.png");
    ASSERT_FALSE(p.argb.empty());
    // The panel takes texel (0, 0) times its diffuse colour E3F2FD, with the texel's alpha.
    const uint32_t texel = p.at(0, 0);
    const uint32_t diffuse = 0xE3F2FD;
    auto channel = [](uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
    const int r = channel(texel, 16) * channel(diffuse, 16) / 255;
    const int g = channel(texel, 8) * channel(diffuse, 8) / 255;
    const int b = channel(texel, 0) * channel(diffuse, 0) / 255;
    EXPECT_EQ(texel >> 24, 0xFFu) << "the panel must come out opaque";
    EXPECT_EQ(texel, 0xFFFFFFFFu);
    EXPECT_GE(std::min({r, g, b}), 0xD0) << "light enough for black text";
    EXPECT_GT(b, r) << "blue";
    // The pixels around the corner too, so that scaling the texture keeps the corner white.
    for (const auto& [x, y] : {std::pair{1, 0}, {0, 1}, {1, 1}, {199, 0}, {0, 199}, {199, 199}}) {
        EXPECT_EQ(p.at(x, y), 0xFFFFFFFFu) << x << "," << y;
    }
}

TEST_F(PackContentTest, BackgroundTilesWithoutSeams) {
    const Pixels p = decode("background.png");
    ASSERT_FALSE(p.argb.empty());
    // The step across the tile's edge (last column to first, last row to first) must be no
    // larger than the largest step between neighbouring columns and rows inside the tile: a
    // seam would stand out above every step of the pattern itself.
    auto difference = [](uint32_t a, uint32_t b) {
        int sum = 0;
        for (int shift : {0, 8, 16}) {
            sum += std::abs(static_cast<int>((a >> shift) & 0xFF) -
                            static_cast<int>((b >> shift) & 0xFF));
        }
        return sum;
    };
    // Sums of the steps between column x-1 and x (or row y-1 and y), x = 0 meaning the step
    // from the last to the first.
    auto columnStep = [&](int x) {
        double sum = 0;
        for (int y = 0; y < p.height; ++y) {
            sum += difference(p.at((x + p.width - 1) % p.width, y), p.at(x, y));
        }
        return sum;
    };
    auto rowStep = [&](int y) {
        double sum = 0;
        for (int x = 0; x < p.width; ++x) {
            sum += difference(p.at(x, (y + p.height - 1) % p.height), p.at(x, y));
        }
        return sum;
    };
    double insideX = 0, insideY = 0;
    for (int i = 1; i < p.width; ++i) {
        insideX = std::max(insideX, columnStep(i));
        insideY = std::max(insideY, rowStep(i));
    }
    EXPECT_LE(columnStep(0), insideX * 1.05);
    EXPECT_LE(rowStep(0), insideY * 1.05);
}

TEST_F(PackContentTest, IconLoadsAsABitmapWithAlpha) {
    const std::vector<uint8_t> bytes = bytesOf("icon.bmp");
    ASSERT_FALSE(bytes.empty());
    SDL_Surface* icon =
        SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    ASSERT_NE(icon, nullptr) << SDL_GetError();
    EXPECT_TRUE((icon->w == 32 && icon->h == 32) || (icon->w == 64 && icon->h == 64))
        << icon->w << "x" << icon->h;
    EXPECT_EQ(icon->format->BitsPerPixel, 32);
    EXPECT_NE(icon->format->Amask, 0u);
    SDL_FreeSurface(icon);
}

TEST_F(PackContentTest, FontIsTrueTypeWithItsLicenceBesideThePack) {
    const std::vector<uint8_t> font = bytesOf("IndieFlower.ttf");
    ASSERT_GE(font.size(), 4u);
    EXPECT_EQ(font[0], 0x00);
    EXPECT_EQ(font[1], 0x01);
    EXPECT_EQ(font[2], 0x00);
    EXPECT_EQ(font[3], 0x00);
    std::ifstream licence(contenttest::binFile("IndieFlower-OFL.txt"));
    ASSERT_TRUE(licence.good()) << "the font's licence is missing from bin/";
    std::stringstream text;
    text << licence.rdbuf();
    EXPECT_NE(text.str().find("SIL Open Font License"), std::string::npos);
}

} // namespace
