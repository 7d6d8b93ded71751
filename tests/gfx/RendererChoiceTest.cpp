// Tests of RendererChoice: which OpenGL renderer strings name a software rasteriser, and that
// an explicit SDL_RENDER_DRIVER is what the device gets.
#include "gfx/platform/RendererChoice.h"
#include "tests/gfx/GfxFixture.h"

#include "gfx/platform/SdlDevice.h"

namespace gfxtest {
namespace {

TEST(RendererChoiceTest, KnowsMesasSoftwareRasterisers) {
    EXPECT_TRUE(RendererChoice::isSoftwareRasteriser("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(RendererChoice::isSoftwareRasteriser("softpipe"));
    EXPECT_TRUE(RendererChoice::isSoftwareRasteriser("Mesa X11 swrast"));
    EXPECT_TRUE(RendererChoice::isSoftwareRasteriser("Software Rasterizer"));
    EXPECT_TRUE(RendererChoice::isSoftwareRasteriser("LLVMPIPE"));
    EXPECT_FALSE(RendererChoice::isSoftwareRasteriser("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(RendererChoice::isSoftwareRasteriser("AMD Radeon RX 6600 (navi23, LLVM 15.0.6)"));
    EXPECT_FALSE(RendererChoice::isSoftwareRasteriser("NVIDIA GeForce GTX 1060/PCIe/SSE2"));
    EXPECT_FALSE(RendererChoice::isSoftwareRasteriser(""));
    EXPECT_FALSE(RendererChoice::isSoftwareRasteriser(nullptr));
}

class ExplicitRendererTest : public GfxFixture {};

TEST_F(ExplicitRendererTest, DeviceDrawsWithTheRendererAsked) {
    // The tests run with SDL_RENDER_DRIVER=software, as a player may ask for any driver.
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    ASSERT_NE(asked, nullptr);
    SDL_RendererInfo info{};
    ASSERT_EQ(SDL_GetRendererInfo(sdlgfx::getRenderer(RenderDevice::getDevice()), &info), 0);
    EXPECT_STREQ(info.name, asked);
}

} // namespace
} // namespace gfxtest
