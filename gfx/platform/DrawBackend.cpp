// DrawBackend: drawing over one SDL renderer, and the watch on its window.
#include "DrawBackend.h"

#include "RendererChoice.h"
#include "app/platform/PictureFit.h"

#include <new>

namespace {

std::uint8_t alphaOf(std::uint32_t c) {
    return static_cast<std::uint8_t>(c >> 24);
}
std::uint8_t redOf(std::uint32_t c) {
    return static_cast<std::uint8_t>(c >> 16);
}
std::uint8_t greenOf(std::uint32_t c) {
    return static_cast<std::uint8_t>(c >> 8);
}
std::uint8_t blueOf(std::uint32_t c) {
    return static_cast<std::uint8_t>(c);
}

// The last version given to a picture of any texture.
std::uint64_t lastTextureVersion = 0;

} // namespace

std::unique_ptr<DrawBackend> DrawBackend::create(SDL_Window* window, bool vsync, int width,
                                                 int height) {
    SDL_Renderer* renderer = RendererChoice::create(window, vsync);
    if (renderer == nullptr) {
        return nullptr;
    }
    std::unique_ptr<DrawBackend> made(new (std::nothrow)
                                          DrawBackend(window, renderer, width, height));
    if (made == nullptr) {
        SDL_DestroyRenderer(renderer);
    }
    return made;
}

DrawBackend::DrawBackend(SDL_Window* window, SDL_Renderer* renderer, int width, int height)
    : window(window), windowId(SDL_GetWindowID(window)), renderer(renderer), width(width),
      height(height) {
    SDL_RendererInfo info{};
    software =
        SDL_GetRendererInfo(renderer, &info) == 0 &&
        ((info.flags & SDL_RENDERER_SOFTWARE) != 0 || SDL_strcmp(info.name, "software") == 0);
    targets = SDL_RenderTargetSupported(renderer) == SDL_TRUE;
    // A renderer that cannot draw into a texture draws straight to the window, unscaled.
    if (!targets) {
        SDL_GetRendererOutputSize(renderer, &this->width, &this->height);
    }
    SDL_AddEventWatch(watchWindow, this);
}

// A software renderer is plain memory that SDL frees at any time, even after the window or SDL
// itself are gone; an accelerated renderer's graphics library is unloaded with its window, so
// once the window is gone it is left to the end of the process.
DrawBackend::~DrawBackend() {
    // SDL forgets every watch when it quits; until then this one must go with the backend.
    SDL_DelEventWatch(watchWindow, this);
    if (software || isLive()) {
        // The back buffer goes first: left to SDL_DestroyRenderer with the other textures, a
        // software renderer's target leaks two small blocks of SDL's.
        if (picture != nullptr) {
            SDL_DestroyTexture(picture);
        }
        SDL_DestroyRenderer(renderer);
    }
}

// The back buffer is the renderer's target only while a frame is drawn, so that between frames
// (and at the end, when SDL and the window may be gone) SDL never has a target to let go of.
// Whether the frame goes to the back buffer or straight to the window is chosen as it begins.
bool DrawBackend::ready() {
    if (!isLive()) {
        return false;
    }
    const bool forgotten = retarget.exchange(false);
    if (!inFrame) {
        inFrame = true;
        choosePicture();
        if (picture != nullptr) {
            SDL_SetRenderTarget(renderer, picture);
        }
    } else if (forgotten && picture != nullptr) {
        SDL_SetRenderTarget(renderer, nullptr);
        SDL_SetRenderTarget(renderer, picture);
    }
    return true;
}

// A window of exactly the picture's size is drawn on directly: it needs no picture of its own.
// Any other size gets the back buffer, made when first needed and freed when no longer needed.
void DrawBackend::choosePicture() {
    if (!targets) {
        return;
    }
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetRendererOutputSize(renderer, &windowWidth, &windowHeight);
    const bool exact = windowWidth == width && windowHeight == height;
    if (exact && picture != nullptr) {
        SDL_DestroyTexture(picture);
        picture = nullptr;
    } else if (!exact && picture == nullptr) {
        picture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                    width, height);
    }
}

bool DrawBackend::isLive() const {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetWindowFromID(windowId) == window;
}

int SDLCALL DrawBackend::watchWindow(void* backend, SDL_Event* event) {
    auto* self = static_cast<DrawBackend*>(backend);
    if (event->type == SDL_WINDOWEVENT && event->window.windowID == self->windowId) {
        self->windowChanged = true;
        self->retarget = true;
    }
    return 0;
}

void DrawBackend::setVsync(bool on) {
    if (isLive()) {
        SDL_RenderSetVSync(renderer, on ? 1 : 0);
    }
}

SDL_Texture* DrawBackend::createTexture(SDL_Surface* surface) {
    if (!isLive() || surface == nullptr) {
        return nullptr;
    }
    SDL_Texture* made = SDL_CreateTextureFromSurface(renderer, surface);
    if (made != nullptr) {
        SDL_SetTextureScaleMode(made, SDL_ScaleModeNearest);
        SDL_SetTextureUserData(made, reinterpret_cast<void*>(++lastTextureVersion));
    }
    return made;
}

bool DrawBackend::updateTexture(SDL_Texture* texture, const void* pixels, int pitch) {
    if (texture == nullptr || !isLive()) {
        return false;
    }
    SDL_SetTextureUserData(texture, reinterpret_cast<void*>(++lastTextureVersion));
    return SDL_UpdateTexture(texture, nullptr, pixels, pitch) == 0;
}

// A software renderer's texture is plain memory that SDL frees at any time; an accelerated
// renderer's textures can only go while the window (and its graphics library) exists.
void DrawBackend::destroyTexture(SDL_Texture* texture) {
    if (texture != nullptr && (software || isLive())) {
        SDL_DestroyTexture(texture);
    }
}

std::uint64_t DrawBackend::versionOf(SDL_Texture* texture) {
    return reinterpret_cast<std::uintptr_t>(SDL_GetTextureUserData(texture));
}

bool DrawBackend::sizeOf(SDL_Texture* texture, int& width, int& height) {
    return SDL_QueryTexture(texture, nullptr, nullptr, &width, &height) == 0;
}

void DrawBackend::clear(std::uint32_t colour) {
    if (ready()) {
        SDL_SetRenderDrawColor(renderer, redOf(colour), greenOf(colour), blueOf(colour), 255);
        SDL_RenderClear(renderer);
    }
}

void DrawBackend::fill(const SDL_Rect& rect, std::uint32_t colour, SDL_BlendMode mode) {
    if (ready()) {
        SDL_SetRenderDrawBlendMode(renderer, mode);
        SDL_SetRenderDrawColor(renderer, redOf(colour), greenOf(colour), blueOf(colour),
                               alphaOf(colour));
        SDL_RenderFillRect(renderer, &rect);
    }
}

void DrawBackend::copy(SDL_Texture* texture, const SDL_Rect& src, const SDL_Rect& dst,
                       std::uint32_t colour, SDL_BlendMode mode) {
    if (ready()) {
        SDL_SetTextureColorMod(texture, redOf(colour), greenOf(colour), blueOf(colour));
        SDL_SetTextureAlphaMod(texture, alphaOf(colour));
        SDL_SetTextureBlendMode(texture, mode);
        SDL_RenderCopy(renderer, texture, &src, &dst);
    }
}

void DrawBackend::drawTriangles(SDL_Texture* texture, const SDL_Vertex* vertices, int vertexCount,
                                const int* indices, int indexCount, SDL_BlendMode mode) {
    if (!ready()) {
        return;
    }
    if (texture != nullptr) {
        SDL_SetTextureColorMod(texture, 255, 255, 255);
        SDL_SetTextureAlphaMod(texture, 255);
        SDL_SetTextureBlendMode(texture, mode);
    }
    SDL_SetRenderDrawBlendMode(renderer, mode);
    SDL_RenderGeometry(renderer, texture, vertices, vertexCount, indices, indexCount);
}

void DrawBackend::setClip(const SDL_Rect* area) {
    if (ready()) {
        SDL_RenderSetClipRect(renderer, area);
    }
}

bool DrawBackend::outputSize(int& w, int& h) const {
    if (!isLive()) {
        return false;
    }
    w = width;
    h = height;
    return true;
}

bool DrawBackend::readBack(std::vector<std::uint32_t>& pixels, int& width, int& height) {
    if (!outputSize(width, height) || !ready()) {
        return false;
    }
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                                width * 4) == 0;
}

// Whole-number scales stay sharp; others are filtered. A filtered pixel of the window reads the
// picture's pixels around it, so each area is shown again with a margin of one picture pixel,
// from edges that fall on whole window pixels, so that it matches the picture around it.
void DrawBackend::present(const std::vector<SDL_Rect>* areas) {
    if (!ready()) {
        return;
    }
    inFrame = false;
    if (picture == nullptr) {
        SDL_RenderPresent(renderer);
        return;
    }
    SDL_SetRenderTarget(renderer, nullptr);
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetRendererOutputSize(renderer, &windowWidth, &windowHeight);
    const PictureFit fit(width, height, windowWidth, windowHeight);
    const PictureFit::Area& on = fit.onWindow();
    const SDL_Rect shown{on.x, on.y, on.w, on.h};
    SDL_SetTextureScaleMode(picture,
                            fit.isWholeScale() ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_SetTextureBlendMode(picture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(picture, 255, 255, 255);
    SDL_SetTextureAlphaMod(picture, 255);
    if (areas == nullptr || !software) {
        showAll(shown, windowWidth, windowHeight);
    } else {
        for (const SDL_Rect& area : *areas) {
            const PictureFit::Area part =
                fit.toWindow(fit.snapped({area.x, area.y, area.w, area.h}, 1));
            const SDL_Rect clip{part.x, part.y, part.w, part.h};
            if (!SDL_RectEmpty(&clip)) {
                SDL_RenderSetClipRect(renderer, &clip);
                SDL_RenderCopy(renderer, picture, nullptr, &shown);
            }
        }
        SDL_RenderSetClipRect(renderer, nullptr);
    }
    SDL_RenderPresent(renderer);
}

void DrawBackend::showAll(const SDL_Rect& shown, int windowWidth, int windowHeight) {
    SDL_RenderSetClipRect(renderer, nullptr);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    const SDL_Rect bars[] = {
        {0, 0, windowWidth, shown.y},
        {0, shown.y + shown.h, windowWidth, windowHeight - shown.y - shown.h},
        {0, shown.y, shown.x, shown.h},
        {shown.x + shown.w, shown.y, windowWidth - shown.x - shown.w, shown.h},
    };
    for (const SDL_Rect& bar : bars) {
        if (!SDL_RectEmpty(&bar)) {
            SDL_RenderFillRect(renderer, &bar);
        }
    }
    SDL_RenderCopy(renderer, picture, nullptr, &shown);
}
