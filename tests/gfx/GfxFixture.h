// GfxFixture: a headless 800 x 608 window with an initialised RenderDevice, pictures made in
// the test, a small pack to load them from, and the frame read back.
#pragma once

#include "app/platform/User32Script.h"
#include "gfx/RenderDevice.h"
#include "pack/PackEntry.h"
#include "pack/PackerReader.h"
#include "tests/support/GameHarness.h"
#include "tests/support/PictureBytes.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gfxtest {

using zxtest::makeBmp;
using zxtest::makePng;
using zxtest::Painter;

int red(std::uint32_t argb);
int green(std::uint32_t argb);
int blue(std::uint32_t argb);

class GfxFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the named pictures into a pack in a temporary folder and opens it.
    void makePack(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& files);
    PackEntry* entry(const char* name) { return pack.getEntry(name); }

    // Reads the back buffer (call between drawing and endFrame).
    void readFrame();
    std::uint32_t pixel(int x, int y) const { return frame[static_cast<std::size_t>(y) * 800 + x]; }

    // Releases what the fixture holds in the game's shutdown order: the render device, then
    // (after the test's own objects) the window and SDL.
    void shutDownDevice();

    std::unique_ptr<zxtest::HeadlessScreen> screen;
    SDL_Window* window = nullptr;
    RenderDevice* renderDevice = nullptr;
    zxtest::TempDir dir;
    PackerReader pack;
    std::vector<std::uint32_t> frame;
    std::vector<MessageBoxCall> boxes;
};

} // namespace gfxtest
