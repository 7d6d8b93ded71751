// Pixel tests of Font: alignment, line breaks, outlines, colours and Windows-1250 text, read
// back from a headless frame.
#include "app/platform/TextCodec.h"
#include "gfx/Font.h"
#include "gfx/platform/D3DXFont.h"
#include "gfx/platform/FontFace.h"
#include "tests/gfxfont/FontTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

using fonttest::Ink;
using fonttest::Screen;

namespace {

class FontDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ready());
        screen.begin();
    }

    // Reads the frame; the test fails when it cannot.
    void read() { ASSERT_TRUE(screen.read()); }

    Screen screen;
};

bool isBlack(std::uint32_t p) {
    return fonttest::redOf(p) < 64 && fonttest::greenOf(p) < 64 && fonttest::blueOf(p) < 64;
}

bool isRed(std::uint32_t p) {
    return fonttest::redOf(p) > 192 && fonttest::greenOf(p) < 64 && fonttest::blueOf(p) < 64;
}

TEST_F(FontDraw, AlignsEachLineOnItsPoint) {
    Font font;
    ASSERT_TRUE(font.create("Arial", 24));
    font.draw("Centred text", 400, 100, 0xFF000000, DT_CENTER, 0, 0);
    font.draw("Right aligned", 700, 200, 0xFF000000, DT_RIGHT, 0, 0);
    font.draw("Left", 50, 300, 0xFF000000, 0, 0, 0);
    read();

    Ink centred = screen.ink(100, 124);
    ASSERT_FALSE(centred.empty());
    EXPECT_NEAR(centred.centreX2(), 800, 4);
    EXPECT_GT(centred.right - centred.left, 100);
    EXPECT_GE(centred.top, 100);

    Ink right = screen.ink(200, 224);
    ASSERT_FALSE(right.empty());
    EXPECT_LE(right.right, 700);
    EXPECT_GE(right.right, 697);

    Ink left = screen.ink(300, 324);
    ASSERT_FALSE(left.empty());
    EXPECT_GE(left.left, 50);
    EXPECT_LE(left.left, 53);
    // Nothing was drawn outside the three lines' cells.
    EXPECT_EQ(screen.ink(0, 100).count + screen.ink(124, 200).count + screen.ink(224, 300).count +
                  screen.ink(324).count,
              0);
}

TEST_F(FontDraw, BreaksLinesAndCentresEachByItself) {
    Font font;
    ASSERT_TRUE(font.create("Calibri", 42));
    font.draw("Wide first line\nmid\nlast one", 400, 150, 0xFF000000, DT_CENTER, 0, 0);
    read();

    int widths[3];
    for (int line = 0; line < 3; ++line) {
        Ink ink = screen.ink(150 + 42 * line, 150 + 42 * (line + 1));
        ASSERT_FALSE(ink.empty()) << "line " << line;
        EXPECT_NEAR(ink.centreX2(), 800, 4) << "line " << line;
        widths[line] = ink.right - ink.left;
    }
    EXPECT_GT(widths[0], widths[2]);
    EXPECT_GT(widths[2], widths[1]);
    EXPECT_TRUE(screen.ink(0, 150).empty());
    EXPECT_TRUE(screen.ink(150 + 3 * 42).empty());
}

TEST_F(FontDraw, OutlinesLieAroundTheTextDrawnOnTop) {
    Font plain;
    ASSERT_TRUE(plain.create("Arial", 72));
    plain.draw("Tabela", 400, 100, 0xFFFF0000, DT_CENTER, 0, 0);
    read();
    Ink alone = screen.inkOf(isRed);
    ASSERT_FALSE(alone.empty());

    screen.begin();
    plain.draw("Tabela", 400, 100, 0xFFFF0000, DT_CENTER, 2, 0);
    read();
    Ink text = screen.inkOf(isRed);
    Ink outline = screen.inkOf(isBlack);
    // The text itself is unchanged and on top; the black copies reach two pixels past it on
    // every side.
    EXPECT_EQ(text.left, alone.left);
    EXPECT_EQ(text.right, alone.right);
    EXPECT_EQ(text.top, alone.top);
    EXPECT_EQ(text.bottom, alone.bottom);
    EXPECT_NEAR(outline.left, alone.left - 2, 1);
    EXPECT_NEAR(outline.right, alone.right + 2, 1);
    EXPECT_NEAR(outline.top, alone.top - 2, 1);
    EXPECT_NEAR(outline.bottom, alone.bottom + 2, 1);
    EXPECT_GT(outline.count, text.count / 4);
}

TEST_F(FontDraw, TransparentOutlineColourMeansOpaqueBlack) {
    Font font;
    ASSERT_TRUE(font.create("Arial", 72));
    // The text faded out completely, its outline black of the same (zero) alpha.
    font.draw("Poziom 1", 400, 150, 0x00FFFFFF, DT_CENTER, 1, 0x00000000);
    read();
    Ink black = screen.inkOf([](std::uint32_t p) { return (p & 0xFFFFFF) == 0; });
    EXPECT_GT(black.count, 100);

    // A transparent colour of its own is drawn as given: nothing shows.
    screen.begin();
    font.draw("Poziom 1", 400, 150, 0x00FFFFFF, DT_CENTER, 1, 0x00FF0000);
    read();
    EXPECT_TRUE(screen.ink().empty());
}

TEST_F(FontDraw, BlendsTheTextColourWithItsAlpha) {
    Font font;
    ASSERT_TRUE(font.create("Arial", 72));
    font.draw("I", 400, 100, 0x800000FF, DT_CENTER, 0, 0);
    read();
    // The darkest pixel of a fully covered stem is half blue over white (SDL's blending of
    // translucent texels rounds down by up to two levels).
    Ink ink = screen.ink();
    ASSERT_FALSE(ink.empty());
    std::uint32_t core = screen.at((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2);
    EXPECT_NEAR(fonttest::redOf(core), 127, 3);
    EXPECT_NEAR(fonttest::greenOf(core), 127, 3);
    EXPECT_NEAR(fonttest::blueOf(core), 255, 3);
}

TEST_F(FontDraw, ConvertsWindows1250TextBeforeDrawing) {
    ID3DXFont* made = nullptr;
    ASSERT_EQ(fonttest::createFont(RenderDevice::getDevice(), 30, "Arial", &made), D3D_OK);
    auto* font = static_cast<D3DXFont*>(made);
    RECT rect = {10, 10, 10, 10};
    font->DrawTextW(nullptr,
                    cp1250ToWide("Wyj\x9C"
                                 "cie")
                        .c_str(),
                    -1, &rect, DT_NOCLIP, 0xFF000000);
    read();

    // The frame holds exactly the line rasterised from the UTF-8 text "Wyjście".
    ASSERT_NE(font->getFace(), nullptr);
    SDL_Surface* expected = font->getFace()->render("Wyj\xC5\x9B"
                                                    "cie");
    ASSERT_NE(expected, nullptr);
    ASSERT_EQ(expected->format->format, SDL_PIXELFORMAT_ARGB8888);
    int differences = 0;
    int inked = 0;
    for (int y = 0; y < expected->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const std::uint8_t*>(expected->pixels) + y * expected->pitch);
        for (int x = 0; x < expected->w; ++x) {
            int coverage = static_cast<int>(row[x] >> 24);
            int shade =
                fonttest::greenOf(screen.at(10 + x, 10 + font->getFace()->getTopOffset() + y));
            differences += std::abs(shade - (255 - coverage)) > 2;
            inked += coverage > 0;
        }
    }
    SDL_FreeSurface(expected);
    EXPECT_GT(inked, 100);
    EXPECT_EQ(differences, 0);
    // Nothing beyond the line.
    EXPECT_TRUE(screen.ink(10 + 30).empty());
    made->Release();
}

TEST_F(FontDraw, RasterisesEachLineOnce) {
    Font font;
    ASSERT_TRUE(font.create("Arial", 24));
    std::uint64_t before = FontFace::getRasterisationCount();
    font.draw("Punkty: 100\nZ\xBF"
              "ycia: 3",
              400, 100, 0xFF2196F3, DT_CENTER, 0, 0);
    EXPECT_EQ(FontFace::getRasterisationCount(), before + 2);
    // Later frames, other colours, places, alignments and outlines reuse the lines.
    for (int frame = 0; frame < 5; ++frame) {
        screen.begin();
        font.draw("Punkty: 100\nZ\xBF"
                  "ycia: 3",
                  10 * frame, 100, 0x80FFFFFF, DT_RIGHT, 1, 0);
    }
    EXPECT_EQ(FontFace::getRasterisationCount(), before + 2);
    font.draw("Punkty: 110", 400, 100, 0xFF2196F3, DT_CENTER, 0, 0);
    EXPECT_EQ(FontFace::getRasterisationCount(), before + 3);
}

TEST_F(FontDraw, KeepsABoundedNumberOfLines) {
    ID3DXFont* made = nullptr;
    ASSERT_EQ(fonttest::createFont(RenderDevice::getDevice(), 20, "Arial", &made), D3D_OK);
    auto* font = static_cast<D3DXFont*>(made);
    RECT rect = {0, 0, 0, 0};
    const std::size_t total = D3DXFont::kMaxLines + 10;
    for (std::size_t i = 0; i < total; ++i) {
        std::wstring text = std::to_wstring(i);
        font->DrawTextW(nullptr, text.c_str(), -1, &rect, DT_NOCLIP, 0xFF000000);
        // "0" stays in use all along, so it is never the oldest.
        font->DrawTextW(nullptr, L"0", -1, &rect, DT_NOCLIP, 0xFF000000);
    }
    EXPECT_EQ(font->getCachedLineCount(), D3DXFont::kMaxLines);
    std::uint64_t before = FontFace::getRasterisationCount();
    font->DrawTextW(nullptr, L"0", -1, &rect, DT_NOCLIP, 0xFF000000);
    EXPECT_EQ(FontFace::getRasterisationCount(), before);
    font->DrawTextW(nullptr, L"1", -1, &rect, DT_NOCLIP, 0xFF000000);
    EXPECT_EQ(FontFace::getRasterisationCount(), before + 1);
    made->Release();
}

TEST_F(FontDraw, ClippedTextCountedTextAndEmSizesAreRefused) {
    ID3DXFont* made = nullptr;
    EXPECT_EQ(fonttest::createFont(RenderDevice::getDevice(), -42, "Arial", &made),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(made, nullptr);
    ASSERT_EQ(fonttest::createFont(RenderDevice::getDevice(), 42, "Arial", &made), D3D_OK);
    RECT rect = {100, 100, 140, 120};
    EXPECT_EQ(made->DrawTextW(nullptr, L"Clipped", -1, &rect, DT_LEFT, 0xFF000000), 0);
    EXPECT_EQ(made->DrawTextW(nullptr, L"Words", -1, &rect, DT_WORDBREAK | DT_NOCLIP, 0xFF000000),
              0);
    EXPECT_EQ(made->DrawTextW(nullptr, L"Counted", 3, &rect, DT_NOCLIP, 0xFF000000), 0);
    read();
    EXPECT_TRUE(screen.ink().empty());
    made->Release();
}

TEST_F(FontDraw, UnknownFaceNamesStillDraw) {
    Font rows;
    ASSERT_TRUE(rows.create("Aria[", 20));
    Font title;
    ASSERT_TRUE(title.create("System", 72));
    rows.draw("1. Gracz", 50, 50, 0xFF000000, 0, 0, 0);
    title.draw("Tabela wynik\xF3w", 400, 200, 0xFFFFFFFF, DT_CENTER, 2, 0);
    read();
    EXPECT_FALSE(screen.ink(50, 70).empty());
    EXPECT_FALSE(screen.ink(198, 274).empty());
}

} // namespace
