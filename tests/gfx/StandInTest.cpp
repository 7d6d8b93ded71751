// Tests of the Direct3D 9 / D3DX 9 stand-in itself: reference counts, refused calls, the
// fixed-function rules, transforms and texture loading.
#include "gfx/platform/SdlDevice.h"
#include "tests/gfx/GfxFixture.h"

#include <d3dx9.h>

#include <cmath>

namespace gfxtest {
namespace {

struct TexturedVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
constexpr DWORD TexturedFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// A tile fan as the background lays it: top-right, top-left, bottom-left, bottom-right.
void tileFan(TexturedVertex* out, float x, float y, float w, float h, D3DCOLOR colour) {
    out[0] = {x + w, y, 0.0f, 1.0f, colour, 1.0f, 0.0f};
    out[1] = {x, y, 0.0f, 1.0f, colour, 0.0f, 0.0f};
    out[2] = {x, y + h, 0.0f, 1.0f, colour, 0.0f, 1.0f};
    out[3] = {x + w, y + h, 0.0f, 1.0f, colour, 1.0f, 1.0f};
}

// A device's parameters for a window, as the game asks for them.
D3DPRESENT_PARAMETERS windowedParameters() {
    D3DPRESENT_PARAMETERS params{};
    params.Windowed = TRUE;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    return params;
}

// A device of adapter on the window, as the game creates it.
HRESULT createDevice(IDirect3D9* d3d, UINT adapter, HWND window, D3DPRESENT_PARAMETERS& params,
                     IDirect3DDevice9** made) {
    return d3d->CreateDevice(adapter, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                             &params, made);
}

class StandInTest : public GfxFixture {
  protected:
    IDirect3DDevice9* device() { return RenderDevice::getDevice(); }

    IDirect3DTexture9* texture(int w, int h, const Painter& paint) {
        const std::vector<std::uint8_t> png = makePng(w, h, paint);
        IDirect3DTexture9* made = nullptr;
        EXPECT_EQ(D3DXCreateTextureFromFileInMemory(device(), png.data(),
                                                    static_cast<UINT>(png.size()), &made),
                  D3D_OK);
        return made;
    }
};

TEST_F(StandInTest, ResourcesHoldTheirDeviceUntilReleased) {
    IDirect3DDevice9* d = device();
    EXPECT_EQ(d->AddRef(), 2u);
    EXPECT_EQ(d->Release(), 1u);
    IDirect3DTexture9* tex = texture(4, 4, [](int, int) { return 0xFF000000u; });
    ASSERT_NE(tex, nullptr);
    ID3DXSprite* sprite = nullptr;
    ID3DXLine* line = nullptr;
    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(D3DXCreateSprite(d, &sprite), D3D_OK);
    ASSERT_EQ(D3DXCreateLine(d, &line), D3D_OK);
    ASSERT_EQ(d->CreateVertexBuffer(112, 0, TexturedFvf, D3DPOOL_DEFAULT, &buffer, nullptr),
              D3D_OK);
    EXPECT_EQ(d->AddRef(), 6u);
    EXPECT_EQ(d->Release(), 5u);
    EXPECT_EQ(tex->AddRef(), 2u);
    EXPECT_EQ(tex->Release(), 1u);
    EXPECT_EQ(sprite->Release(), 0u);
    EXPECT_EQ(line->Release(), 0u);
    EXPECT_EQ(buffer->Release(), 0u);
    EXPECT_EQ(tex->Release(), 0u);
    EXPECT_EQ(d->AddRef(), 2u);
    EXPECT_EQ(d->Release(), 1u);
}

TEST_F(StandInTest, RefusedCalls) {
    IDirect3DDevice9* d = device();
    EXPECT_EQ(d->Clear(0, nullptr, D3DCLEAR_TARGET | 0x2, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    const D3DRECT area{0, 0, 10, 10};
    EXPECT_EQ(d->Clear(1, &area, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->EndScene(), D3DERR_INVALIDCALL);
    TexturedVertex quad[4];
    tileFan(quad, 0.0f, 0.0f, 10.0f, 10.0f, 0xFF000000);
    IDirect3DVertexBuffer9* fan = vertexBuffer(quad, 4);
    d->SetFVF(TexturedFvf);
    d->SetStreamSource(0, fan, 0, sizeof(TexturedVertex));
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL); // outside a scene
    RECT rect{0, 0, 1, 1};
    EXPECT_EQ(d->Present(&rect, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
    ASSERT_EQ(d->BeginScene(), D3D_OK);
    EXPECT_EQ(d->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(4), 0, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLEFAN, 1, 2), D3DERR_INVALIDCALL); // past the end
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3D_OK);
    d->SetStreamSource(0, fan, 0, 12);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL); // stride too short
    d->SetStreamSource(0, fan, 0, sizeof(TexturedVertex));
    d->SetFVF(D3DFVF_XYZRHW | 0x0010); // normals are not pre-transformed data
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL);
    d->SetStreamSource(0, nullptr, 0, 0);
    d->SetFVF(TexturedFvf);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL); // no stream
    EXPECT_EQ(d->SetTexture(1, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->SetRenderState(D3DRS_SRCBLEND, 42), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->SetRenderState(D3DRS_CULLMODE, 3), D3DERR_INVALIDCALL); // the device never culls
    EXPECT_EQ(d->EndScene(), D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(fan->Lock(100, 12, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(fan->Lock(0, 0, &data, 0), D3D_OK);
    EXPECT_NE(data, nullptr);
    EXPECT_EQ(fan->Unlock(), D3D_OK);
    EXPECT_EQ(fan->Unlock(), D3DERR_INVALIDCALL);
    fan->Release();
    IDirect3DVertexBuffer9* none = nullptr;
    EXPECT_EQ(d->CreateVertexBuffer(0, 0, 0, D3DPOOL_DEFAULT, &none, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(none, nullptr);

    ID3DXLine* line = nullptr;
    ASSERT_EQ(D3DXCreateLine(d, &line), D3D_OK);
    EXPECT_EQ(line->GetWidth(), 1.0f);
    EXPECT_EQ(line->SetWidth(0.0f), D3DERR_INVALIDCALL);
    EXPECT_EQ(line->SetPattern(0xFFFFFFFF), D3D_OK);
    EXPECT_EQ(line->SetPattern(0x0000FFFF), D3DERR_INVALIDCALL); // lines are solid
    const D3DXVECTOR2 points[2] = {D3DXVECTOR2(0.0f, 20.0f), D3DXVECTOR2(64.0f, 20.0f)};
    EXPECT_EQ(line->Draw(points, 1, 0xFF000000), D3DERR_INVALIDCALL);
    line->Release();
}

TEST_F(StandInTest, SecondDeviceOnTheWindowOrBadParametersFail) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    EXPECT_EQ(Direct3DCreate9(31), nullptr);
    D3DPRESENT_PARAMETERS params = windowedParameters();
    IDirect3DDevice9* other = nullptr;
    const HWND handle = reinterpret_cast<HWND>(window);
    EXPECT_EQ(createDevice(d3d, 1, handle, params, &other), D3DERR_INVALIDCALL);
    EXPECT_EQ(createDevice(d3d, 0, nullptr, params, &other), D3DERR_INVALIDCALL);
    params.EnableAutoDepthStencil = TRUE;
    EXPECT_EQ(createDevice(d3d, 0, handle, params, &other), D3DERR_NOTAVAILABLE);
    params.EnableAutoDepthStencil = FALSE;
    EXPECT_TRUE(FAILED(createDevice(d3d, 0, handle, params, &other)));
    EXPECT_EQ(other, nullptr);
    d3d->Release();
}

TEST_F(StandInTest, BackBufferTakesTheClientSize) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    SDL_Window* second = SDL_CreateWindow("second", 0, 0, 320, 200, SDL_WINDOW_SHOWN);
    D3DPRESENT_PARAMETERS params = windowedParameters();
    IDirect3DDevice9* made = nullptr;
    ASSERT_EQ(createDevice(d3d, 0, reinterpret_cast<HWND>(second), params, &made), D3D_OK);
    EXPECT_EQ(params.BackBufferWidth, 320u);
    EXPECT_EQ(params.BackBufferHeight, 200u);
    d3d->Release(); // the device keeps the Direct3D object alive
    std::vector<std::uint32_t> pixels;
    int w = 0;
    int h = 0;
    made->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF112233, 1.0f, 0);
    ASSERT_TRUE(sdlgfx::readBackBuffer(made, pixels, w, h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 200);
    EXPECT_EQ(pixels[0], 0xFF112233u);
    made->Release();
    SDL_DestroyWindow(second);
}

TEST_F(StandInTest, FixedFunctionColourRules) {
    IDirect3DDevice9* d = device();
    IDirect3DTexture9* tex = texture(8, 8, [](int x, int) {
        return x < 4 ? 0xFF804020u : 0x00FFFFFFu; // opaque left half, transparent right half
    });
    TexturedVertex quads[12];
    tileFan(quads, 0.0f, 0.0f, 8.0f, 8.0f, 0x80FFFFFF);      // diffuse alpha ignored with a texture
    tileFan(quads + 4, 20.0f, 0.0f, 8.0f, 8.0f, 0xFF808080); // colour = texture x diffuse
    tileFan(quads + 8, 40.0f, 0.0f, 8.0f, 8.0f, 0x80000000); // no texture: the diffuse colour
    IDirect3DVertexBuffer9* fans = vertexBuffer(quads, 12);
    drawFrame([&] {
        d->SetFVF(TexturedFvf);
        d->SetStreamSource(0, fans, 0, sizeof(TexturedVertex));
        d->SetTexture(0, tex);
        d->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
        d->DrawPrimitive(D3DPT_TRIANGLEFAN, 4, 2);
        d->SetTexture(0, nullptr);
        d->DrawPrimitive(D3DPT_TRIANGLEFAN, 8, 2);
    });
    fans->Release();
    tex->Release();
    EXPECT_EQ(pixel(1, 1), 0xFF804020u);
    EXPECT_EQ(pixel(6, 1), White);
    EXPECT_EQ(pixel(21, 1), 0xFF402010u);
    EXPECT_NEAR(red(pixel(41, 1)), 127, 2);
    EXPECT_NEAR(blue(pixel(41, 1)), 127, 2);
}

TEST_F(StandInTest, SpriteTransformRotatesAboutItsCentre) {
    D3DXMATRIX m;
    const D3DXVECTOR2 centre(8.0f, 4.0f);
    const D3DXVECTOR2 position(100.0f, 200.0f);
    D3DXMatrixTransformation2D(&m, nullptr, 0.0f, nullptr, &centre, 0.0f, &position);
    EXPECT_FLOAT_EQ(m._11, 1.0f);
    EXPECT_FLOAT_EQ(m._22, 1.0f);
    EXPECT_FLOAT_EQ(m._41, 100.0f);
    EXPECT_FLOAT_EQ(m._42, 200.0f);
    const float quarter = 6.2831855f * 90.0f / 360.0f;
    D3DXMatrixTransformation2D(&m, nullptr, 0.0f, nullptr, &centre, quarter, &position);
    // The texel at (16, 4) is 8 right of the centre; a quarter turn puts it 8 below it.
    const float x = 16.0f * m._11 + 4.0f * m._21 + m._41;
    const float y = 16.0f * m._12 + 4.0f * m._22 + m._42;
    EXPECT_NEAR(x, 108.0f, 1e-4);
    EXPECT_NEAR(y, 212.0f, 1e-4);

    // Drawn: a 16 x 8 red bar turned a quarter about its centre stands 8 wide and 16 high.
    IDirect3DTexture9* tex = texture(16, 8, [](int, int) { return 0xFFFF0000u; });
    ID3DXSprite* sprite = nullptr;
    ASSERT_EQ(D3DXCreateSprite(device(), &sprite), D3D_OK);
    drawFrame([&] {
        EXPECT_EQ(sprite->Draw(tex, nullptr, nullptr, nullptr, White), D3DERR_INVALIDCALL);
        sprite->Begin(D3DXSPRITE_ALPHABLEND);
        sprite->SetTransform(&m);
        sprite->Draw(tex, nullptr, nullptr, nullptr, White);
        sprite->End();
    });
    sprite->Release();
    tex->Release();
    EXPECT_EQ(pixel(108, 198), 0xFFFF0000u);
    EXPECT_EQ(pixel(108, 210), 0xFFFF0000u);
    EXPECT_EQ(pixel(102, 204), White);
    EXPECT_EQ(pixel(114, 204), White);
}

TEST_F(StandInTest, TexturesDecodePngAtItsOwnSizeAndRefuseOtherOptions) {
    const std::vector<std::uint8_t> png =
        makePng(6, 3, [](int x, int) { return x == 0 ? 0xFF00FF00u : 0xFF0000FFu; });
    IDirect3DTexture9* tex = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileInMemory(device(), png.data(), static_cast<UINT>(png.size()),
                                                &tex),
              D3D_OK);
    ID3DXSprite* sprite = nullptr;
    ASSERT_EQ(D3DXCreateSprite(device(), &sprite), D3D_OK);
    drawFrame([&] {
        EXPECT_EQ(sprite->Begin(0), D3DERR_INVALIDCALL); // sprites are always alpha-blended
        sprite->Begin(D3DXSPRITE_ALPHABLEND);
        const D3DXMATRIX at = moveBy(50.0f, 60.0f);
        sprite->SetTransform(&at);
        sprite->Draw(tex, nullptr, nullptr, nullptr, White);
        sprite->End();
    });
    EXPECT_EQ(pixel(50, 60), 0xFF00FF00u);
    EXPECT_EQ(pixel(55, 62), 0xFF0000FFu);
    EXPECT_EQ(pixel(56, 62), White);
    sprite->Release();
    tex->Release();

    // A BMP, bytes that are no picture, and the options the game never asks for.
    const std::vector<std::uint8_t> bmp = makeBmp(6, 3, [](int, int) { return White; });
    IDirect3DTexture9* none = nullptr;
    EXPECT_EQ(D3DXCreateTextureFromFileInMemory(device(), bmp.data(), static_cast<UINT>(bmp.size()),
                                                &none),
              D3DXERR_INVALIDDATA);
    const std::uint8_t junk[16] = {1, 2, 3};
    EXPECT_EQ(D3DXCreateTextureFromFileInMemory(device(), junk, sizeof(junk), &none),
              D3DXERR_INVALIDDATA);
    auto loadWith = [&](D3DFORMAT format, D3DCOLOR key) {
        return D3DXCreateTextureFromFileInMemoryEx(
            device(), png.data(), static_cast<UINT>(png.size()), D3DX_DEFAULT, D3DX_DEFAULT,
            D3DX_DEFAULT, 0, format, D3DPOOL_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, key, nullptr,
            nullptr, &none);
    };
    EXPECT_EQ(loadWith(D3DFMT_X8R8G8B8, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(loadWith(D3DFMT_UNKNOWN, 0xFFFF00FF), D3DERR_INVALIDCALL);
    EXPECT_EQ(none, nullptr);
}

TEST_F(StandInTest, FontSeamDrawsTextureRegionsBlended) {
    IDirect3DDevice9* d = device();
    SDL_Surface* glyphs = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(glyphs, nullptr, 0xFFFFFFFF);
    SDL_Texture* made = sdlgfx::createTexture(d, glyphs);
    SDL_FreeSurface(glyphs);
    ASSERT_NE(made, nullptr);
    drawFrame([&] {
        const SDL_Rect source{0, 0, 2, 2};
        EXPECT_TRUE(sdlgfx::drawTexture(d, made, &source, SDL_Rect{10, 10, 2, 2}, 0x80000000));
    });
    sdlgfx::destroyTexture(d, made);
    EXPECT_NEAR(red(pixel(10, 10)), 127, 2);
    EXPECT_EQ(pixel(12, 10), White);
}

} // namespace
} // namespace gfxtest
