// SdlDevice: the seam functions through which the font stand-in and tests reach a device's
// SDL renderer.
#include "SdlDevice.h"

#include "SdlDevice9.h"

namespace sdlgfx {

namespace {

SdlDevice9* cast(IDirect3DDevice9* device) {
    return static_cast<SdlDevice9*>(device);
}

} // namespace

SDL_Renderer* getRenderer(IDirect3DDevice9* device) {
    return device != nullptr ? cast(device)->getBackend().getRenderer() : nullptr;
}

SDL_Texture* createTexture(IDirect3DDevice9* device, SDL_Surface* surface) {
    return device != nullptr ? cast(device)->createTexture(surface) : nullptr;
}

bool updateTexture(IDirect3DDevice9* device, SDL_Texture* texture, const void* pixels, int pitch) {
    return device != nullptr && cast(device)->updateTexture(texture, pixels, pitch);
}

void destroyTexture(IDirect3DDevice9* device, SDL_Texture* texture) {
    if (device != nullptr) {
        cast(device)->destroyTexture(texture);
    }
}

bool drawTexture(IDirect3DDevice9* device, SDL_Texture* texture, const SDL_Rect* source,
                 const SDL_Rect& dest, D3DCOLOR colour) {
    return device != nullptr &&
           cast(device)->getFrames().copy(texture, source, dest, colour, SDL_BLENDMODE_BLEND);
}

bool readBackBuffer(IDirect3DDevice9* device, std::vector<std::uint32_t>& pixels, int& width,
                    int& height) {
    return device != nullptr && cast(device)->readBackBuffer(pixels, width, height);
}

void setPresentWait(bool on) {
    SdlDevice9::setPresentWait(on);
}

bool getPresentWait() {
    return PresentPacing::getPresentWait();
}

void setFrameSkip(bool on) {
    SdlDevice9::setFrameSkip(on);
}

bool getFrameSkip() {
    return FrameCache::isEnabled();
}

std::uint64_t getRasterisedFrames(IDirect3DDevice9* device) {
    return device != nullptr ? cast(device)->getFrames().getRasterisedFrames() : 0;
}

std::uint64_t getPresentedFrames(IDirect3DDevice9* device) {
    return device != nullptr ? cast(device)->getFrames().getPresentedFrames() : 0;
}

std::uint64_t getPartialFrames(IDirect3DDevice9* device) {
    return device != nullptr ? cast(device)->getFrames().getPartialFrames() : 0;
}

} // namespace sdlgfx
