// GfxFixture: the headless window, render device, pictures and pack that the graphics tests use.
#include "tests/gfx/GfxFixture.h"

#include "gfx/platform/SdlDevice.h"
#include "tools/packtool/PackWriter.h"

#include <SDL_image.h>

namespace gfxtest {

namespace {

SDL_Surface* paintSurface(int width, int height, const Painter& paint) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return nullptr;
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                              static_cast<std::ptrdiff_t>(y) * surface->pitch);
        for (int x = 0; x < width; ++x) {
            row[x] = paint(x, y);
        }
    }
    return surface;
}

// Encodes with save into a memory buffer large enough for an uncompressed picture.
std::vector<std::uint8_t> encode(SDL_Surface* surface,
                                 const std::function<int(SDL_Surface*, SDL_RWops*)>& save) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(surface->w) * surface->h * 4 + 4096);
    SDL_RWops* rw = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
    const bool saved = save(surface, rw) == 0;
    bytes.resize(saved ? static_cast<std::size_t>(SDL_RWtell(rw)) : 0);
    SDL_RWclose(rw);
    SDL_FreeSurface(surface);
    return bytes;
}

} // namespace

std::vector<std::uint8_t> makePng(int width, int height, const Painter& paint) {
    return encode(paintSurface(width, height, paint),
                  [](SDL_Surface* s, SDL_RWops* rw) { return IMG_SavePNG_RW(s, rw, 0); });
}

std::vector<std::uint8_t> makeBmp(int width, int height, const Painter& paint) {
    SDL_Surface* argb = paintSurface(width, height, paint);
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(argb, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(argb);
    return encode(rgb, [](SDL_Surface* s, SDL_RWops* rw) { return SDL_SaveBMP_RW(s, rw, 0); });
}

D3DXMATRIX moveBy(float x, float y) {
    D3DXMATRIX m;
    const D3DXVECTOR2 at(x, y);
    D3DXMatrixTransformation2D(&m, nullptr, 0.0f, nullptr, nullptr, 0.0f, &at);
    return m;
}

int red(std::uint32_t argb) {
    return static_cast<int>((argb >> 16) & 0xFF);
}
int green(std::uint32_t argb) {
    return static_cast<int>((argb >> 8) & 0xFF);
}
int blue(std::uint32_t argb) {
    return static_cast<int>(argb & 0xFF);
}

void GfxFixture::SetUp() {
    zxtest::useHeadlessVideo();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    window = SDL_CreateWindow("Zembrix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 608,
                              SDL_WINDOW_SHOWN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    setMessageBoxAnswerer([this](const MessageBoxCall& call) {
        boxes.push_back(call);
        return IDOK;
    });
    sdlgfx::setPresentWait(false);
    renderDevice = new RenderDevice();
    ASSERT_TRUE(renderDevice->init());
}

void GfxFixture::shutDownDevice() {
    delete renderDevice;
    renderDevice = nullptr;
}

void GfxFixture::TearDown() {
    shutDownDevice();
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    SDL_Quit();
    setMessageBoxAnswerer({});
    sdlgfx::setPresentWait(true);
}

void GfxFixture::makePack(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& files) {
    std::vector<PackFile> packed;
    for (const auto& [name, bytes] : files) {
        packed.push_back(PackFile{name, bytes});
    }
    const std::string path = dir.file("data.zxp");
    ASSERT_TRUE(writePack(path, packed));
    ASSERT_TRUE(pack.open(path.c_str()));
}

void GfxFixture::readFrame() {
    int width = 0;
    int height = 0;
    ASSERT_TRUE(sdlgfx::readBackBuffer(RenderDevice::getDevice(), frame, width, height));
    ASSERT_EQ(width, 800);
    ASSERT_EQ(height, 608);
}

} // namespace gfxtest
