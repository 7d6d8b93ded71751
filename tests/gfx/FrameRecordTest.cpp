// Tests of FrameRecord: what makes two frames the same, where they differ, and when opaque
// calls cover the whole target so that the clear before them need not run.
#include "gfx/platform/FrameRecord.h"

#include <gtest/gtest.h>

#include <array>

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

// A frame: the white clear, then the commands.
FrameRecord framed(std::initializer_list<FrameRecord::Command> commands) {
    FrameRecord frame;
    frame.add(clearOf(0xFFFFFFFF));
    for (const FrameRecord::Command& command : commands) {
        frame.add(command);
    }
    return frame;
}

// A rectangle as {x, y, w, h}, for comparisons.
std::array<int, 4> xywh(const SDL_Rect& r) {
    return {r.x, r.y, r.w, r.h};
}

// The 4 x 4 grid of 200 x 200 tiles that the menu's background lays over 800 x 608.
FrameRecord tiledFrame(SDL_BlendMode mode, int skipTile = -1) {
    FrameRecord frame = framed({});
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
        FrameRecord frame = framed({extra});
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
    std::vector<SDL_Vertex> moved = corners;
    moved[2].position.y += 0.001f;
    EXPECT_FALSE(base.sameAs(frameWith(copy, moved)));
    std::vector<SDL_Vertex> tinted = corners;
    tinted[0].color.a = 254;
    EXPECT_FALSE(base.sameAs(frameWith(copy, tinted)));
    EXPECT_FALSE(base.sameAs(framed({copy})));
}

TEST(FrameRecordTest, OpaqueTilesCoverTheTarget) {
    EXPECT_TRUE(tiledFrame(SDL_BLENDMODE_NONE).covers(1, 800, 608));
    // One tile short, or blended tiles (which show what is beneath): the clear still shows.
    EXPECT_FALSE(tiledFrame(SDL_BLENDMODE_NONE, 13).covers(1, 800, 608));
    EXPECT_FALSE(tiledFrame(SDL_BLENDMODE_BLEND).covers(1, 800, 608));
    // A larger target than the tiles reach.
    EXPECT_FALSE(tiledFrame(SDL_BLENDMODE_NONE).covers(1, 801, 608));

    // Overlapping pieces in any order, and pieces reaching past the target, cover it too.
    EXPECT_TRUE(framed({fillOf(-50, 300, 900, 400, SDL_BLENDMODE_NONE),
                        fillOf(10, 10, 5, 5, SDL_BLENDMODE_BLEND),
                        fillOf(0, 0, 500, 310, SDL_BLENDMODE_NONE),
                        fillOf(499, -10, 301, 320, SDL_BLENDMODE_NONE)})
                    .covers(1, 800, 608));
    // A one-pixel gap between them is found.
    EXPECT_FALSE(framed({fillOf(0, 0, 400, 608, SDL_BLENDMODE_NONE),
                         fillOf(401, 0, 399, 608, SDL_BLENDMODE_NONE)})
                     .covers(1, 800, 608));
    EXPECT_FALSE(framed({}).covers(1, 800, 608));
}

TEST(FrameRecordTest, ChangedAreasHoldEveryChangedCallBeforeAndAfter) {
    FrameRecord before = tiledFrame(SDL_BLENDMODE_NONE);
    before.add(fillOf(100, 100, 10, 10, SDL_BLENDMODE_BLEND)); // a small thing moving right
    before.add(fillOf(700, 500, 20, 20, SDL_BLENDMODE_BLEND)); // another, far from it
    FrameRecord after = tiledFrame(SDL_BLENDMODE_NONE);
    after.add(fillOf(105, 100, 10, 10, SDL_BLENDMODE_BLEND));
    after.add(fillOf(700, 500, 20, 20, SDL_BLENDMODE_BLEND));
    std::vector<SDL_Rect> areas;
    ASSERT_TRUE(after.changedAreas(before, 800, 608, areas));
    // The old and new places of the moved call overlap and become one area.
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(xywh(areas[0]), (std::array{100, 100, 15, 10}));

    // Both moved: two areas apart.
    FrameRecord both = tiledFrame(SDL_BLENDMODE_NONE);
    both.add(fillOf(105, 100, 10, 10, SDL_BLENDMODE_BLEND));
    both.add(fillOf(0, 0, 20, 20, SDL_BLENDMODE_BLEND));
    ASSERT_TRUE(both.changedAreas(before, 800, 608, areas));
    EXPECT_EQ(areas.size(), 3u); // (100..115), (700, 500) where it was, (0, 0) where it is

    // Another kind of call at the same place, or one call more: the whole frame.
    FrameRecord otherKind = tiledFrame(SDL_BLENDMODE_NONE);
    otherKind.addTriangles(FrameRecord::Command{}, {}, {});
    otherKind.add(fillOf(700, 500, 20, 20, SDL_BLENDMODE_BLEND));
    EXPECT_FALSE(otherKind.changedAreas(before, 800, 608, areas));
    FrameRecord longer = after;
    longer.add(fillOf(0, 0, 1, 1, SDL_BLENDMODE_BLEND));
    EXPECT_FALSE(longer.changedAreas(before, 800, 608, areas));

    // More than half the target changed: the whole frame.
    FrameRecord recoloured = tiledFrame(SDL_BLENDMODE_NONE);
    for (int i = 1; i <= 9; ++i) {
        FrameRecord::Command tile = recoloured.at(i);
        tile.colour = 0xFF000000;
        recoloured.add(tile);
    }
    FrameRecord plain = tiledFrame(SDL_BLENDMODE_NONE);
    for (int i = 1; i <= 9; ++i) {
        plain.add(plain.at(i));
    }
    EXPECT_FALSE(recoloured.changedAreas(plain, 800, 608, areas));
}

TEST(FrameRecordTest, BoundsOfTrianglesReachAPixelPastTheirVertices) {
    FrameRecord frame;
    const std::vector<SDL_Vertex> corners{{{10.5f, 20.5f}, {0, 0, 0, 255}, {0.0f, 0.0f}},
                                          {{30.2f, 20.5f}, {0, 0, 0, 255}, {0.0f, 0.0f}},
                                          {{30.2f, 40.0f}, {0, 0, 0, 255}, {0.0f, 0.0f}}};
    frame.addTriangles(FrameRecord::Command{}, corners, {0, 1, 2});
    EXPECT_EQ(xywh(frame.bounds(0, 800, 608)), (std::array{9, 19, 33 - 9, 42 - 19}));
    // Cut to the target.
    frame.add(fillOf(-10, 600, 30, 30, SDL_BLENDMODE_NONE));
    EXPECT_EQ(xywh(frame.bounds(1, 800, 608)), (std::array{0, 600, 20, 8}));
}

TEST(FrameRecordTest, CopiesFromOutsideTheirTextureDoNotCover) {
    FrameRecord::Command copy;
    copy.kind = Kind::Copy;
    copy.texture = reinterpret_cast<SDL_Texture*>(0x1000);
    copy.textureSize = {100, 100};
    copy.src = {0, 0, 100, 100};
    copy.dst = {0, 0, 800, 608};
    EXPECT_TRUE(framed({copy}).covers(1, 800, 608));
    copy.src = {50, 50, 50, 50};
    EXPECT_TRUE(framed({copy}).covers(1, 800, 608));
    copy.src = {60, 60, 50, 50}; // SDL would cut this source and the copy with it
    EXPECT_FALSE(framed({copy}).covers(1, 800, 608));
}

} // namespace
} // namespace gfxtest
