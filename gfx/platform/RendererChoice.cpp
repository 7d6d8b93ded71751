// RendererChoice: an SDL renderer for the game's window, SDL's software renderer where the
// machine would only rasterise in software anyway.
#include "RendererChoice.h"

#include <filesystem>
#include <string>

namespace {

constexpr unsigned kGlRenderer = 0x1F01; // GL_RENDERER

using GetString = const unsigned char* (*)(unsigned name);

} // namespace

SDL_Renderer* RendererChoice::create(SDL_Window* window, bool vsync) {
    const Uint32 vsyncFlag = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
    const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool explicitChoice = chosen != nullptr && *chosen != '\0';
    if (!explicitChoice && !hasGraphicsHardware()) {
        if (SDL_Renderer* software = createSoftware(window, vsyncFlag)) {
            return software;
        }
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | vsyncFlag);
    if (renderer != nullptr && !explicitChoice && rasterisesInSoftware(renderer)) {
        SDL_DestroyRenderer(renderer);
        renderer = createSoftware(window, vsyncFlag);
        if (renderer != nullptr) {
            return renderer;
        }
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | vsyncFlag);
    }
    if (renderer == nullptr) {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | vsyncFlag);
    }
    return renderer;
}

// SDL's software renderer presents its window surface through the window system directly,
// unless the user asked otherwise (SDL_FRAMEBUFFER_ACCELERATION in the environment wins).
SDL_Renderer* RendererChoice::createSoftware(SDL_Window* window, Uint32 vsync) {
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_NORMAL);
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | vsync);
}

bool RendererChoice::isSoftwareRasteriser(const char* glRenderer) {
    if (glRenderer == nullptr) {
        return false;
    }
    std::string name(glRenderer);
    for (char& c : name) {
        c = static_cast<char>(SDL_tolower(static_cast<unsigned char>(c)));
    }
    for (const char* word : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
        if (name.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

bool RendererChoice::hasGraphicsHardware() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("render", 0) == 0 || name.rfind("card", 0) == 0) {
            return true;
        }
    }
    return std::filesystem::exists("/dev/nvidiactl", error);
}

// An OpenGL renderer's context is current once it is made, so its GL_RENDERER can be read.
bool RendererChoice::rasterisesInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) != 0) {
        return false;
    }
    if (SDL_strncmp(info.name, "opengl", 6) != 0) {
        return false;
    }
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr || SDL_GL_GetCurrentContext() == nullptr) {
        return false;
    }
    return isSoftwareRasteriser(reinterpret_cast<const char*>(getString(kGlRenderer)));
}
