// DialogWindow: a dialog's own window, renderer and font, and its modal loop.
#include "app/platform/ui/DialogWindow.h"

#include "app/platform/Gamepads.h"
#include "app/platform/ui/FrameHints.h"
#include "gfx/platform/FontFace.h"
#include "gfx/platform/RendererChoice.h"

#include <SDL_render.h>

namespace {

std::function<void(SDL_Window*, SDL_Renderer*)> frameHook;

// While it lives, every X window SDL makes is of the dialog type: SDL reads the type whenever it
// makes the X window, and making the renderer may make the window again (an OpenGL renderer, or
// the texture behind a software renderer's window surface), which left the box an ordinary
// window. Windows made later (the name dialog) are ordinary ones again.
class DialogTypeHint {
  public:
    explicit DialogTypeHint(bool dialog) : dialog(dialog) {
        if (dialog) {
            SDL_SetHintWithPriority(SDL_HINT_X11_WINDOW_TYPE, "_NET_WM_WINDOW_TYPE_DIALOG",
                                    SDL_HINT_OVERRIDE);
        }
    }
    ~DialogTypeHint() {
        if (dialog) {
            SDL_ResetHint(SDL_HINT_X11_WINDOW_TYPE);
        }
    }
    DialogTypeHint(const DialogTypeHint&) = delete;
    DialogTypeHint& operator=(const DialogTypeHint&) = delete;

  private:
    bool dialog;
};

// Makes the hidden window. One with an owner is a dialog to the window manager (on X11 its
// type, under a DialogTypeHint; SDL_SetWindowModalFor then makes it transient for the owner),
// which keeps it above its owner, and has no taskbar entry; one without an owner is an ordinary
// window of the desktop, as an ownerless dialog is on Windows.
SDL_Window* createWindow(const std::string& title, const SDL_Rect& place, bool owned) {
    const Uint32 flags = SDL_WINDOW_HIDDEN | (owned ? SDL_WINDOW_SKIP_TASKBAR : 0);
    return SDL_CreateWindow(title.c_str(), place.x, place.y, place.w, place.h, flags);
}

} // namespace

void setDialogFrameHook(std::function<void(SDL_Window*, SDL_Renderer*)> hook) {
    frameHook = std::move(hook);
}

DialogWindow::~DialogWindow() {
    painter.reset();
    delete font;
    if (renderer != nullptr) {
        SDL_DestroyRenderer(renderer);
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
    if (videoStarted && !textInputWasActive) {
        SDL_StopTextInput();
    }
    if (videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool DialogWindow::open(const std::string& title, int width, int height, SDL_Window* centreOn) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    videoStarted = true;
    textInputWasActive = SDL_IsTextInputActive();
    SDL_Window* focused = SDL_GetKeyboardFocus();
    returnFocusTo = SDL_GetWindowID(focused != nullptr ? focused : centreOn);
    font = FontFace::open(dialogLook::kFaceName, 400, -dialogLook::kFontPixels);
    if (font == nullptr) {
        SDL_SetError("no font for the dialog");
        return false;
    }
    int x = SDL_WINDOWPOS_CENTERED;
    int y = SDL_WINDOWPOS_CENTERED;
    if (centreOn != nullptr) {
        int ownerX = 0, ownerY = 0, ownerW = 0, ownerH = 0;
        SDL_GetWindowPosition(centreOn, &ownerX, &ownerY);
        SDL_GetWindowSize(centreOn, &ownerW, &ownerH);
        // A window manager puts the frame where the window asks to stand; the box's frame is
        // taken to be as wide as its owner's (none without a window manager).
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(centreOn, &top, &left, &bottom, &right) != 0) {
            top = left = 0;
        }
        x = ownerX + (ownerW - width) / 2 - left;
        y = ownerY + (ownerH - height) / 2 - top;
    }
    const DialogTypeHint type(centreOn != nullptr);
    window = createWindow(title, {x, y, width, height}, centreOn != nullptr);
    if (window == nullptr) {
        return false;
    }
    windowId = SDL_GetWindowID(window);
    size = {width, height};
    // Keys held down now belong to the game: read before the window takes the focus.
    events = std::make_unique<DialogEvents>(windowId, centreOn != nullptr);
    // The game's choice of renderer: without graphics hardware, SDL's own software renderer
    // rather than OpenGL rasterised in software, which would cost the dialog a tenth of a second
    // and tens of megabytes to open.
    renderer = RendererChoice::create(window, false);
    if (renderer == nullptr) {
        return false;
    }
    painter = std::make_unique<DialogPainter>(renderer, font);
    if (centreOn != nullptr) {
        SDL_SetWindowModalFor(window, centreOn);
        offerOnlyMoveAndClose(window, offersClose());
    }
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    // Without a window manager raising does not move the keyboard focus; ask for it directly
    // (a driver that cannot do it refuses harmlessly).
    SDL_SetWindowInputFocus(window);
    SDL_StartTextInput();
    return true;
}

void DialogWindow::drawFrame() {
    painter->fill({0, 0, size.x, size.y}, dialogLook::kFace);
    draw(*painter);
    if (frameHook) {
        frameHook(window, renderer);
    }
    SDL_RenderPresent(renderer);
}

void DialogWindow::handlePads(const SDL_Event& e) {
    for (const SDL_Event& padEvent : gamepads::translate(e)) {
        const std::optional<PadPress> press = padPressOf(padEvent);
        if (press && press->down && !finished) {
            pad(press->button);
        }
    }
}

void DialogWindow::nextEvent(SDL_Event& e) {
    events->forgetReleasedKeys();
    while (SDL_PollEvent(&e) == 0) {
        SDL_Delay(10);
        events->forgetReleasedKeys();
    }
}

void DialogWindow::run() {
    SDL_Event e;
    while (!finished) {
        drawFrame();
        nextEvent(e);
        switch (events->route(e)) {
        case DialogEvents::Route::Mine:
            if (gamepads::isControllerEvent(e)) {
                handlePads(e);
            } else {
                handle(e);
            }
            break;
        case DialogEvents::Route::Quit:
            quitRequested();
            break;
        default:
            break;
        }
    }
    painter.reset();
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    SDL_DestroyWindow(window);
    window = nullptr;
    // The keyboard goes back to the window that had it, as it does when a modal box closes;
    // without a window manager it would otherwise go nowhere.
    if (SDL_Window* previous = SDL_GetWindowFromID(returnFocusTo)) {
        SDL_SetWindowInputFocus(previous);
    }
    events->handBack();
}
