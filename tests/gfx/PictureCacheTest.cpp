// Tests of the decoded pictures textures share: the same bytes loaded the same way decode once,
// anything else decodes anew, and a picture lives exactly as long as its last texture.
#include "gfx/platform/SdlDevice9.h"
#include "gfx/platform/SdlTexture.h"
#include "tests/gfx/GfxFixture.h"

#include <d3dx9.h>

namespace gfxtest {
namespace {

class PictureCacheTest : public GfxFixture {
  protected:
    SdlDevice9* device() { return static_cast<SdlDevice9*>(RenderDevice::getDevice()); }

    // Loads the bytes as Sprite does, at a size.
    SdlTexture* load(const std::vector<std::uint8_t>& bytes, UINT size) {
        IDirect3DTexture9* made = nullptr;
        EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(
                      device(), bytes.data(), static_cast<UINT>(bytes.size()), size, size,
                      D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
                      0, nullptr, nullptr, &made),
                  D3D_OK);
        return static_cast<SdlTexture*>(made);
    }
};

std::uint32_t halves(int x, int) {
    return x < 8 ? 0xFFFF0000u : 0x80FFFF00u;
}

TEST_F(PictureCacheTest, SameBytesAndOptionsShareOnePicture) {
    const std::vector<std::uint8_t> png = makePng(16, 16, halves);
    std::vector<std::uint8_t> other = makePng(16, 16, [](int x, int y) {
        return x == 15 && y == 15 ? 0xFF000000u : halves(x, y); // one texel differs
    });
    SdlTexture* first = load(png, 16);
    SdlTexture* second = load(png, 16);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second); // textures of their own, one picture
    EXPECT_EQ(first->getTexture(), second->getTexture());
    EXPECT_EQ(device()->getPictures().size(), 1u);
    EXPECT_FALSE(second->isOpaque());
    EXPECT_EQ(second->getTopLeft(), 0xFFFF0000u);

    // Other bytes or another size: pictures of their own.
    SdlTexture* otherBytes = load(other, 16);
    SdlTexture* otherSize = load(png, 8);
    EXPECT_NE(otherBytes->getTexture(), first->getTexture());
    EXPECT_NE(otherSize->getTexture(), first->getTexture());
    EXPECT_EQ(otherSize->getWidth(), 8);
    EXPECT_EQ(device()->getPictures().size(), 3u);
    otherBytes->Release();
    otherSize->Release();
    second->Release();
    first->Release();
    EXPECT_EQ(device()->getPictures().size(), 0u);
}

TEST_F(PictureCacheTest, PictureOutlivesAllButItsLastTexture) {
    const std::vector<std::uint8_t> png = makePng(16, 16, halves);
    SdlTexture* first = load(png, 16);
    SdlTexture* second = load(png, 16);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    first->Release();
    EXPECT_EQ(device()->getPictures().size(), 1u);
    // The remaining texture still draws its picture.
    ID3DXSprite* sprite = nullptr;
    ASSERT_EQ(D3DXCreateSprite(device(), &sprite), D3D_OK);
    drawFrame([&] {
        sprite->Begin(D3DXSPRITE_ALPHABLEND);
        const D3DXMATRIX at = moveBy(20.0f, 30.0f);
        sprite->SetTransform(&at);
        sprite->Draw(second, nullptr, nullptr, nullptr, 0xFFFFFFFF);
        sprite->End();
    });
    EXPECT_EQ(pixel(20, 30), 0xFFFF0000u);
    sprite->Release();
    second->Release();
    EXPECT_EQ(device()->getPictures().size(), 0u);
    // Loaded again after the last one went: decoded anew.
    SdlTexture* again = load(png, 16);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(device()->getPictures().size(), 1u);
    again->Release();
}

} // namespace
} // namespace gfxtest
