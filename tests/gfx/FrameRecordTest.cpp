// Tests of FrameRecord: what makes two frames the same, and when opaque calls cover the whole
// target so that the clear before them need not run; and the frames the device draws so.
#include "gfx/platform/FrameRecord.h"
#include "gfx/platform/SdlDevice.h"
#include "tests/gfx/GfxFixture.h"

namespace gfxtest {
namespace {

using Kind = FrameRecord::Kind;

FrameRecord::Command clearOf(std::uint32_t colour) {
    FrameRecord::Command c;
    c.kind = Kind::Clear;
    c.colour = colour;
    return c;
}

FrameRecord::Command fillOf(int x, int y, int w, int h, SDL_BlendMode mode) {
    FrameRecord::Command c;
    c.kind = Kind::Fill;
    c.dst = {x, y, w, h};
    c.colour = 0xFF102030;
    c.mode = mode;
    return c;
}

// The 4 x 4 grid of 200 x 200 tiles that the menu's background lays over 800 x 608.
FrameRecord tiledFrame(SDL_BlendMode mode, int skipTile = -1) {
    FrameRecord frame;
    frame.add(clearOf(0xFFFFFFFF));
    for (int i = 0; i < 16; ++i) {
        if (i != skipTile) {
            frame.add(fillOf((i % 4) * 200, (i / 4) * 200, 200, 200, mode));
        }
    }
    return frame;
}

TEST(FrameRecordTest, SameOnlyWhenEveryCallAndVertexIsTheSame) {
    const std::vector<SDL_Vertex> corners{{{0.5f, 0.5f}, {1, 2, 3, 255}, {0.0f, 0.0f}},
                                          {{10.5f, 0.5f}, {1, 2, 3, 255}, {1.0f, 0.0f}},
                                          {{10.5f, 10.5f}, {1, 2, 3, 255}, {1.0f, 1.0f}}};
    FrameRecord::Command triangles;
    triangles.mode = SDL_BLENDMODE_BLEND;
    auto frameWith = [&](const FrameRecord::Command& extra, const std::vector<SDL_Vertex>& v) {
        FrameRecord frame;
        frame.add(clearOf(0xFFFFFFFF));
        frame.add(extra);
        frame.addTriangles(triangles, v, {0, 1, 2});
        return frame;
    };
    FrameRecord::Command copy;
    copy.kind = Kind::Copy;
    copy.texture = reinterpret_cast<SDL_Texture*>(0x1000);
    copy.textureVersion = 7;
    copy.dst = {1, 2, 3, 4};
    const FrameRecord base = frameWith(copy, corners);
    EXPECT_TRUE(base.sameAs(frameWith(copy, corners)));

    FrameRecord::Command other = copy;
    other.textureVersion = 8; // the same texture holding another picture
    EXPECT_FALSE(base.sameAs(frameWith(other, corners)));
    other = copy;
    other.colour = 0xFFFFFFFE;
    EXPECT_FALSE(base.sameAs(frameWith(other, corners)));
    other = copy;
    other.dst[3] = 5;
    EXPECT_FALSE(base.sameAs(frameWith(other, corners)));
    other = copy;
    other.flip = SDL_FLIP_HORIZONTAL;
    EXPECT_FALSE(base.sameAs(frameWith(other, corners)));
    std::vector<SDL_Vertex> moved = corners;
    moved[2].position.y += 0.001f;
    EXPECT_FALSE(base.sameAs(frameWith(copy, moved)));
    std::vector<SDL_Vertex> tinted = corners;
    tinted[0].color.a = 254;
    EXPECT_FALSE(base.sameAs(frameWith(copy, tinted)));
    FrameRecord shorter;
    shorter.add(clearOf(0xFFFFFFFF));
    shorter.add(copy);
    EXPECT_FALSE(base.sameAs(shorter));
}

TEST(FrameRecordTest, OpaqueTilesCoverTheTarget) {
    EXPECT_TRUE(tiledFrame(SDL_BLENDMODE_NONE).covers(1, 800, 608));
    // One tile short, or blended tiles (which show what is beneath): the clear still shows.
    EXPECT_FALSE(tiledFrame(SDL_BLENDMODE_NONE, 13).covers(1, 800, 608));
    EXPECT_FALSE(tiledFrame(SDL_BLENDMODE_BLEND).covers(1, 800, 608));
    // A larger target than the tiles reach.
    EXPECT_FALSE(tiledFrame(SDL_BLENDMODE_NONE).covers(1, 801, 608));

    // Overlapping pieces in any order, and pieces reaching past the target, cover it too.
    FrameRecord pieces;
    pieces.add(clearOf(0xFFFFFFFF));
    pieces.add(fillOf(-50, 300, 900, 400, SDL_BLENDMODE_NONE));
    pieces.add(fillOf(10, 10, 5, 5, SDL_BLENDMODE_BLEND));
    pieces.add(fillOf(0, 0, 500, 310, SDL_BLENDMODE_NONE));
    pieces.add(fillOf(499, -10, 301, 320, SDL_BLENDMODE_NONE));
    EXPECT_TRUE(pieces.covers(1, 800, 608));
    // A one-pixel gap between them is found.
    FrameRecord gap;
    gap.add(clearOf(0xFFFFFFFF));
    gap.add(fillOf(0, 0, 400, 608, SDL_BLENDMODE_NONE));
    gap.add(fillOf(401, 0, 399, 608, SDL_BLENDMODE_NONE));
    EXPECT_FALSE(gap.covers(1, 800, 608));
    FrameRecord nothing;
    nothing.add(clearOf(0xFFFFFFFF));
    EXPECT_FALSE(nothing.covers(1, 800, 608));
}

class CoveredClearTest : public GfxFixture {};

TEST_F(CoveredClearTest, CopiesFromOutsideTheirTextureDoNotCover) {
    std::vector<std::uint32_t> texels(100 * 100, 0xFF00FF00);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(texels.data(), 100, 100, 32, 400,
                                                              SDL_PIXELFORMAT_ARGB8888);
    SDL_Texture* texture = sdlgfx::createTexture(RenderDevice::getDevice(), surface);
    SDL_FreeSurface(surface);
    ASSERT_NE(texture, nullptr);
    FrameRecord::Command copy;
    copy.kind = Kind::Copy;
    copy.texture = texture;
    copy.dst = {0, 0, 800, 608};
    FrameRecord whole;
    whole.add(clearOf(0xFFFFFFFF));
    whole.add(copy);
    EXPECT_TRUE(whole.covers(1, 800, 608));
    copy.whole = false;
    copy.src = {50, 50, 50, 50};
    FrameRecord inside;
    inside.add(clearOf(0xFFFFFFFF));
    inside.add(copy);
    EXPECT_TRUE(inside.covers(1, 800, 608));
    copy.src = {60, 60, 50, 50}; // SDL would cut this source and the copy with it
    FrameRecord outside;
    outside.add(clearOf(0xFFFFFFFF));
    outside.add(copy);
    EXPECT_FALSE(outside.covers(1, 800, 608));
    sdlgfx::destroyTexture(RenderDevice::getDevice(), texture);
}

TEST_F(CoveredClearTest, FramesLookTheSameWhetherTheClearRanOrNot) {
    IDirect3DDevice9* device = RenderDevice::getDevice();
    // Opaque quads over the whole back buffer except, in the second frame, its last column.
    for (int uncovered = 0; uncovered < 2; ++uncovered) {
        renderDevice->beginFrame();
        const D3DRECT left{0, 0, 400, 608};
        const D3DRECT right{400, 0, 800 - uncovered, 608};
        device->Clear(1, &left, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
        device->Clear(1, &right, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
        readFrame();
        renderDevice->endFrame();
        EXPECT_EQ(pixel(0, 0), 0xFF0000FFu);
        EXPECT_EQ(pixel(400, 607), 0xFF00FF00u);
        EXPECT_EQ(pixel(799, 300), uncovered ? 0xFFFFFFFFu : 0xFF00FF00u);
    }
}

} // namespace
} // namespace gfxtest
