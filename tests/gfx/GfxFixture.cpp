// GfxFixture: the headless window, render device, pictures and pack that the graphics tests use.
#include "tests/gfx/GfxFixture.h"

#include "tools/packtool/PackWriter.h"

namespace gfxtest {

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
    setMessageBoxAnswerer([this](const MessageBoxCall& call) {
        boxes.push_back(call);
        return IDOK;
    });
    screen = std::make_unique<zxtest::HeadlessScreen>();
    window = screen->getWindow();
    renderDevice = screen->getDevice();
    ASSERT_TRUE(screen->ready()) << SDL_GetError();
}

void GfxFixture::shutDownDevice() {
    screen->releaseDevice();
    renderDevice = nullptr;
}

void GfxFixture::TearDown() {
    screen.reset();
    window = nullptr;
    setMessageBoxAnswerer({});
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
    ASSERT_TRUE(screen->readFrame(frame));
}

void GfxFixture::drawFrame(const std::function<void()>& draw) {
    renderDevice->beginFrame();
    draw();
    readFrame();
    renderDevice->endFrame();
}

} // namespace gfxtest
