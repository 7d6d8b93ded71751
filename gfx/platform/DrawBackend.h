// DrawBackend: the few drawing operations the Direct3D stand-ins are built on, over one SDL
// renderer on one window; the only code that calls SDL's renderer. It draws into a back buffer
// of the picture's fixed size and shows it scaled to fit the window (see PictureFit). It also
// watches the window, since after anything happens to it what it showed may be gone.
#pragma once

#include <SDL.h>
#include <SDL_render.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// States: live while the window exists, when every operation below works; gone once it is
// destroyed or SDL has quit, when they do nothing (and the renderer is freed with the backend
// only where that is still safe, see the .cpp). Beside that, a window change noted by the
// watch (any event of the window) until takeWindowChange reads it.
// The back buffer is a target texture of width x height, drawn into between presents while the
// window's size differs from it; a window of exactly that size, or a renderer without target
// textures, is drawn on directly (the latter unscaled).
class DrawBackend {
  public:
    // A renderer on the window (see RendererChoice: accelerated where there is graphics
    // hardware, else software; SDL_RENDER_DRIVER is honoured) with a width x height back
    // buffer; null when no renderer can be made.
    static std::unique_ptr<DrawBackend> create(SDL_Window* window, bool vsync, int width,
                                               int height);
    ~DrawBackend();
    DrawBackend(const DrawBackend&) = delete;
    DrawBackend& operator=(const DrawBackend&) = delete;

    // True while the window exists, so that SDL may draw with the renderer. Every operation
    // below does nothing (or fails) once it is gone.
    bool isLive() const;
    // The renderer, or null once the window is gone.
    SDL_Renderer* getRenderer() const { return isLive() ? renderer : nullptr; }
    // Whether the back buffer, and the window, still hold what was drawn after a present (SDL's
    // software renderer), so that an unchanged frame need not be drawn again and a partly
    // changed one is shown again only where it changed.
    bool keepsBackBuffer() const { return software; }
    // True once after anything happened to the window (exposed, resized, shown again...).
    bool takeWindowChange() { return windowChanged.exchange(false); }
    // Turns the renderer's wait for the display's refresh on or off.
    void setVsync(bool on);

    // A point-sampled texture of the surface; null when it cannot be made.
    SDL_Texture* createTexture(SDL_Surface* surface);
    // Replaces every texel of a texture with ARGB8888 rows of pitch bytes.
    bool updateTexture(SDL_Texture* texture, const void* pixels, int pitch);
    // Frees a texture when SDL still allows it (see the .cpp).
    void destroyTexture(SDL_Texture* texture);
    // The version of the picture a texture holds: new with each texture and each update.
    static std::uint64_t versionOf(SDL_Texture* texture);
    // The size of a texture in texels; false when SDL does not know it.
    static bool sizeOf(SDL_Texture* texture, int& width, int& height);

    // Drawing, in back-buffer pixels with colours as ARGB. Every pixel, opaque (the clip
    // rectangle does not apply):
    void clear(std::uint32_t colour);
    // A rectangle of one colour under the blend mode.
    void fill(const SDL_Rect& rect, std::uint32_t colour, SDL_BlendMode mode);
    // The src rectangle of a texture onto dst, modulated by colour, under the blend mode.
    void copy(SDL_Texture* texture, const SDL_Rect& src, const SDL_Rect& dst, std::uint32_t colour,
              SDL_BlendMode mode);
    // Indexed triangles, textured when texture is not null.
    void drawTriangles(SDL_Texture* texture, const SDL_Vertex* vertices, int vertexCount,
                       const int* indices, int indexCount, SDL_BlendMode mode);
    // Keeps the drawing above inside area (null: everywhere).
    void setClip(const SDL_Rect* area);
    // The back buffer's size.
    bool outputSize(int& width, int& height) const;
    // The back buffer as ARGB rows, alpha as the renderer keeps it.
    bool readBack(std::vector<std::uint32_t>& pixels, int& width, int& height);
    // Shows the back buffer scaled to fit the window, with black bars beside it: all of it, or
    // when `areas` is given (and the window keeps what it showed) only those areas of it.
    void present(const std::vector<SDL_Rect>* areas = nullptr);

  private:
    DrawBackend(SDL_Window* window, SDL_Renderer* renderer, int width, int height);
    static int SDLCALL watchWindow(void* backend, SDL_Event* event);
    // True while the window exists; the drawing then goes to the back buffer, made the target,
    // or to the window itself (as chosen when the frame began).
    bool ready();
    // Makes or frees the back buffer for the window's size, as a frame begins.
    void choosePicture();
    // Copies the back buffer into the window's rectangle `shown`, and the bars around it.
    void showAll(const SDL_Rect& shown, int windowWidth, int windowHeight);

    SDL_Window* window;
    std::uint32_t windowId;
    SDL_Renderer* renderer;
    SDL_Texture* picture = nullptr; // the back buffer; null: the window is drawn on directly
    bool inFrame = false;           // a frame is being drawn, its target chosen
    bool targets = false;           // the renderer can draw into textures
    int width;
    int height;
    bool software = false;
    std::atomic<bool> windowChanged{false};
    // SDL's software renderer forgets its target when its window's size changes.
    std::atomic<bool> retarget{false};
};
