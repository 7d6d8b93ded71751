// GfxFixture: a headless 800 x 608 window with an initialised RenderDevice, pictures made in
// the test, a small pack to load them from, and the frame read back.
#pragma once

#include "app/platform/User32Script.h"
#include "gfx/RenderDevice.h"
#include "pack/PackEntry.h"
#include "pack/PackerReader.h"
#include "tests/support/BoxCheck.h"
#include "tests/support/Captured.h"
#include "tests/support/GameHarness.h"
#include "tests/support/PictureBytes.h"

#include <SDL.h>
#include <d3dx9.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gfxtest {

using zxtest::makeBmp;
using zxtest::makePng;
using zxtest::Painter;

// The frame's clear colour, and the colour of solid test pictures.
constexpr std::uint32_t White = 0xFFFFFFFF;
constexpr std::uint32_t Red = 0xFFFF0000;

// A vertex buffer of the device holding the vertices (the caller releases it).
template <typename Vertex> IDirect3DVertexBuffer9* vertexBuffer(const Vertex* vertices, int count) {
    IDirect3DVertexBuffer9* made = nullptr;
    const UINT size = static_cast<UINT>(sizeof(Vertex) * count);
    EXPECT_EQ(RenderDevice::getDevice()->CreateVertexBuffer(size, D3DUSAGE_DYNAMIC, 0,
                                                            D3DPOOL_DEFAULT, &made, nullptr),
              D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(made->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, vertices, size);
    made->Unlock();
    return made;
}

// The sprite transform that moves pictures by (x, y).
D3DXMATRIX moveBy(float x, float y);

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
    // One frame: begins it, runs draw, reads the back buffer and ends the frame.
    void drawFrame(const std::function<void()>& draw);
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
