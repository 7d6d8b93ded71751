// FrameCache: records the frame a device draws from its full clear on and runs it on the
// renderer only when needed: a frame identical to the one on screen is neither drawn nor
// presented, and one that differs in a few calls is drawn again only where they reach.
#pragma once

#include "DrawBackend.h"
#include "FrameRecord.h"

#include <cstdint>
#include <vector>

// States. Between presents the cache knows one of three things about the screen (Screen):
//   Unknown - the screen shows no recorded frame: at the start, after a frame drawn without a
//             full clear, after anything happened to the window, and always while skipping is
//             off;
//   Shown   - the screen shows `shown`, the back buffer something else;
//   Kept    - the screen shows `shown` and the back buffer holds it too (a renderer that keeps
//             its back buffer after presenting), and nothing of this frame has run yet.
// Within a frame (Frame): Direct until a full clear, each call running at once; Recording from
// a full clear on, the calls kept in `frame`, the first `done` of them run on the back buffer.
// Transitions:
//   full clear: -> Recording, frame = {clear}, done = 0; Kept -> Shown if calls of this frame
//       ran already. A call while Direct: runs; Kept -> Shown. A call while Recording: kept.
//   flush (before a read-back, or a texture that recorded calls draw changes or goes): Kept
//       and frame == shown: done = all, nothing drawn; Kept and a few calls changed: the frame
//       drawn inside the changed areas only, -> Shown; else the calls not yet run are run (the
//       clear left out when opaque calls cover the back buffer), Kept -> Shown.
//   present while Recording, not Unknown and frame == shown: nothing presented; calls of it
//       that ran are finished, -> Kept where the renderer keeps its back buffer, else Shown.
//   any other present: flushed and presented, only inside the changed areas when the frame was
//       drawn only there and nothing else of it ran; Recording (skipping on) -> shown = frame, Kept
//       or Shown as above; Direct -> Unknown. Every present then -> Direct.
//   a window change (seen at flush and present), skipping switched -> Unknown.
class FrameCache {
  public:
    explicit FrameCache(DrawBackend& backend) : backend(backend) {}

    // Drawing calls, recorded or run as above; false (nothing drawn) once the window is gone.
    // A full clear to an opaque colour:
    bool clear(std::uint32_t colour);
    // The src rectangle (null: all) of texture onto dst, modulated by colour, blended by mode.
    bool copy(SDL_Texture* texture, const SDL_Rect* src, const SDL_Rect& dst, std::uint32_t colour,
              SDL_BlendMode mode);
    // A rectangle of one colour.
    bool fill(const SDL_Rect& rect, std::uint32_t colour, SDL_BlendMode mode);
    // Indexed triangles, textured when texture is not null.
    bool drawTriangles(SDL_Texture* texture, const std::vector<SDL_Vertex>& vertices,
                       const std::vector<int>& indices, SDL_BlendMode mode);

    // Before a texture's texels change or it goes: the recorded calls that draw it run first.
    void beforeTextureChange(const SDL_Texture* texture);
    // Runs every call recorded and not yet run: the back buffer then holds the frame so far.
    void flush();
    // Ends the frame: presents it unless the screen shows it already.
    void present();
    // Forgets what the screen shows: the next frame is drawn and presented in full.
    void forget() { screen = Screen::Unknown; }

    // Skipping and partial drawing on or off for every cache (on by default); a cache of a
    // device that exists when it is switched must be forgotten.
    static void setEnabled(bool on) { enabled = on; }
    static bool isEnabled() { return enabled; }

    // Frames whose drawing ran on the renderer, frames presented, and frames drawn only where
    // they changed.
    std::uint64_t getRasterisedFrames() const { return rasterisedFrames; }
    std::uint64_t getPresentedFrames() const { return presentedFrames; }
    std::uint64_t getPartialFrames() const { return partialFrames; }

  private:
    enum class Screen : std::uint8_t { Unknown, Shown, Kept };
    enum class Frame : std::uint8_t { Direct, Recording };

    void record(FrameRecord::Command command, const std::vector<SDL_Vertex>* vertices = nullptr,
                const std::vector<int>* indices = nullptr);
    bool redraw(const std::vector<SDL_Rect>& areas, int width, int height);
    void run(const FrameRecord& from, std::size_t index);
    void ran();
    void noteWindowChange();

    static bool enabled;

    DrawBackend& backend;
    FrameRecord frame; // this frame's calls, from its full clear on
    FrameRecord shown; // the calls of the frame on screen
    Screen screen = Screen::Unknown;
    Frame state = Frame::Direct;
    std::size_t done = 0; // calls of `frame` run on the back buffer
    bool drewThisFrame = false;
    bool onlyChanged = false;      // this frame was drawn only inside `changed`
    std::vector<SDL_Rect> changed; // the areas of a frame drawn only where it changed
    std::uint64_t rasterisedFrames = 0;
    std::uint64_t presentedFrames = 0;
    std::uint64_t partialFrames = 0;
};
