// Tests of the font stand-in's tinted lines: each colour drawn right from one rasterisation,
// a bounded number of tinted textures per line, fading texts, and a bounded cache.
#include "gfx/platform/D3DXFont.h"
#include "gfx/platform/FontFace.h"
#include "tests/gfxfont/FontTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

using fonttest::Ink;
using fonttest::Screen;

namespace {

class FontTint : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ready());
        screen.begin();
    }
    void TearDown() override {
        if (made != nullptr) {
            made->Release();
        }
    }

    // A bold Arial of the cell height.
    D3DXFont* font(int height) {
        EXPECT_EQ(fonttest::createFont(RenderDevice::getDevice(), height, "Arial", &made), D3D_OK);
        return static_cast<D3DXFont*>(made);
    }

    // Draws a text on a fresh white frame with its top-left at (x, y) and reads the frame.
    void drawAlone(const wchar_t* text, int x, int y, D3DCOLOR colour) {
        screen.begin();
        RECT rect = {x, y, x, y};
        made->DrawTextW(nullptr, text, -1, &rect, DT_NOCLIP, colour);
        ASSERT_TRUE(screen.read());
    }

    // The pixel at the middle of the ink: inside the stem of an "I".
    std::uint32_t stem() const {
        const Ink ink = screen.ink();
        return ink.empty() ? 0xFFFFFFFFu
                           : screen.at((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2);
    }

    Screen screen;
    ID3DXFont* made = nullptr;
};

bool near(std::uint32_t pixel, std::uint32_t expected) {
    return std::abs(fonttest::redOf(pixel) - fonttest::redOf(expected)) <= 3 &&
           std::abs(fonttest::greenOf(pixel) - fonttest::greenOf(expected)) <= 3 &&
           std::abs(fonttest::blueOf(pixel) - fonttest::blueOf(expected)) <= 3;
}

TEST_F(FontTint, EveryColourComesFromOneRasterisation) {
    D3DXFont* arial = font(72);
    const std::uint64_t before = FontFace::getRasterisationCount();
    // More colours than a line keeps textures for, then the first ones again: each frame shows
    // the colour asked for, whether its texture was kept, made or tinted afresh.
    const D3DCOLOR colours[] = {0xFFE53935, 0xFF1E88E5, 0xFF43A047, 0xFF000000,
                                0xFFFDD835, 0xFF8E24AA, 0xFFE53935, 0xFF1E88E5};
    for (D3DCOLOR colour : colours) {
        drawAlone(L"I", 400, 100, colour);
        EXPECT_TRUE(near(stem(), colour | 0xFF000000u))
            << std::hex << colour << " drawn as " << stem();
        EXPECT_LE(arial->getTintCount("I"), D3DXFont::kMaxTints);
    }
    EXPECT_EQ(FontFace::getRasterisationCount(), before + 1);
    EXPECT_EQ(arial->getTintCount("I"), D3DXFont::kMaxTints);
}

TEST_F(FontTint, FadingTextIsDrawnAtEachAlpha) {
    D3DXFont* arial = font(72);
    const std::uint64_t before = FontFace::getRasterisationCount();
    int lastShade = -1;
    // A banner fading out, as the game room's does: the stem gets lighter each frame.
    for (int alpha = 255; alpha > 0; alpha -= 30) {
        drawAlone(L"I", 400, 100, static_cast<D3DCOLOR>(alpha) << 24);
        const int shade = fonttest::greenOf(stem());
        EXPECT_NEAR(shade, 255 - alpha, 3) << "alpha " << alpha;
        EXPECT_GT(shade, lastShade);
        lastShade = shade;
    }
    EXPECT_EQ(FontFace::getRasterisationCount(), before + 1);
    EXPECT_LE(arial->getTintCount("I"), D3DXFont::kMaxTints);
}

TEST_F(FontTint, TransparentColourDrawsAndKeepsNothing) {
    D3DXFont* arial = font(40);
    drawAlone(L"Nothing", 100, 100, 0x00E53935);
    EXPECT_TRUE(screen.ink().empty());
    EXPECT_EQ(arial->getTintCount("Nothing"), 0u);
}

TEST_F(FontTint, SameTextAtOnceInSeveralColoursKeepsEachRight) {
    // Five copies of one points text at different alphas in one frame (stones breaking together)
    // need more textures than a line keeps; every copy still shows its own alpha.
    font(40);
    screen.begin();
    for (int i = 0; i < 5; ++i) {
        RECT rect = {100 + 120 * i, 100, 100 + 120 * i, 100};
        const D3DCOLOR alpha = static_cast<D3DCOLOR>(255 - 50 * i) << 24;
        made->DrawTextW(nullptr, L"I", -1, &rect, DT_NOCLIP, alpha);
    }
    ASSERT_TRUE(screen.read());
    const Ink ink = screen.ink();
    ASSERT_FALSE(ink.empty());
    for (int i = 0; i < 5; ++i) {
        // The darkest pixel of each copy is its alpha of black over white.
        int darkest = 255;
        for (int y = ink.top; y <= ink.bottom; ++y) {
            for (int x = 100 + 120 * i; x < 100 + 120 * i + 60; ++x) {
                darkest = std::min(darkest, fonttest::greenOf(screen.at(x, y)));
            }
        }
        EXPECT_NEAR(darkest, 50 * i, 3) << "copy " << i;
    }
}

TEST_F(FontTint, KeepsBoundedBytesAndTheLineBeingDrawn) {
    D3DXFont* arial = font(200);
    // Long lines at a large size in two colours pass the byte budget within a few lines.
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text = "Wide line " + std::to_string(i);
        const std::wstring wide(text.begin(), text.end());
        drawAlone(wide.c_str(), 0, 100, 0xFF000000);
        drawAlone(wide.c_str(), 0, 100, 0xFFE53935);
        EXPECT_LE(arial->getCachedBytes(), D3DXFont::kMaxBytes);
        EXPECT_EQ(arial->getTintCount(text), 2u);
    }
    EXPECT_LT(arial->getCachedLineCount(), 40u);
    // The last line is still kept: drawing it again rasterises nothing.
    const std::uint64_t before = FontFace::getRasterisationCount();
    drawAlone(std::wstring(text.begin(), text.end()).c_str(), 0, 100, 0xFF000000);
    EXPECT_EQ(FontFace::getRasterisationCount(), before);
    EXPECT_FALSE(screen.ink().empty());
}

} // namespace
