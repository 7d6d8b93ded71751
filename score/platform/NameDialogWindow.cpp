// NameDialogWindow: the name entry dialog as a small SDL window with its own event loop.
#include "score/platform/NameDialogWindow.h"

#include "app/platform/TextCodec.h"
#include "gfx/platform/RendererChoice.h"

#include <SDL_render.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <vector>

namespace {

// The dialog's layout in dialog units (a 149 x 49 dialog), turned into pixels with the base
// units of an 8-point dialog font: 6 x 13 pixels per 4 x 8 units.
constexpr SDL_Rect dlu(int x, int y, int w, int h) {
    return {x * 6 / 4, y * 13 / 8, w * 6 / 4, h * 13 / 8};
}
constexpr SDL_Rect kClient = dlu(0, 0, 149, 49);
constexpr SDL_Rect kOkButton = dlu(37, 28, 50, 14);
constexpr SDL_Rect kCancelButton = dlu(93, 28, 50, 14);
constexpr SDL_Rect kEdit = dlu(38, 7, 106, 14);
constexpr SDL_Rect kLabel = dlu(16, 10, 17, 8);
constexpr int kFontPixels = 11;
constexpr int kTextInset = 3;

constexpr SDL_Color kFace{0xF0, 0xF0, 0xF0, 0xFF};
constexpr SDL_Color kBlack{0, 0, 0, 0xFF};
constexpr SDL_Color kWhite{0xFF, 0xFF, 0xFF, 0xFF};
constexpr SDL_Color kBorder{0x7A, 0x7A, 0x7A, 0xFF};
constexpr SDL_Color kButton{0xE1, 0xE1, 0xE1, 0xFF};
constexpr SDL_Color kAccent{0x00, 0x78, 0xD7, 0xFF};
constexpr SDL_Color kSelection{0xCC, 0xE8, 0xFF, 0xFF};

// The controls that take the focus, in tab order.
enum class Focus { Ok, Cancel, Edit };

std::function<void(SDL_Window*, SDL_Renderer*)> frameHook;

bool inside(const SDL_Rect& rect, int x, int y) {
    const SDL_Point point{x, y};
    return SDL_PointInRect(&point, &rect);
}

// The file of the system's sans-serif face for the dialog, through a private fontconfig
// configuration so that the game's own use of fontconfig is left alone; empty if none.
std::string findFontFile() {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return {};
    std::string file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Liberation Sans"));
    if (pattern) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        FcChar8* path = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
            file = reinterpret_cast<const char*>(path);
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return file;
}

class NameDialogWindow {
  public:
    explicit NameDialogWindow(const std::string& initial) : text(initial), caret(initial.size()) {}
    ~NameDialogWindow();

    // Makes the window, renderer and font and shows the dialog; false if any is refused.
    bool create();
    // Runs the loop until the dialog is closed, then hands kept events back to SDL.
    NameDialogOutcome run();

    std::string text; // Windows-1250

  private:
    // Whether e is the dialog's: its window's events, and keyboard input addressed to no window
    // while it waits for input.
    bool isMine(const SDL_Event& e, bool takeUnaddressed) const;
    void handle(const SDL_Event& e);
    void keep(const SDL_Event& e);
    void handleKey(const SDL_Keysym& key);
    void handleClick(const SDL_Event& e);
    void typeText(const char* utf8);
    void eraseSelection();
    void close(NameDialogOutcome how);
    void returnKeptEvents();

    void draw();
    void fill(const SDL_Rect& rect, SDL_Color colour);
    void frame(const SDL_Rect& rect, SDL_Color colour);
    // Width in pixels of Windows-1250 bytes drawn in the dialog's font.
    int textWidth(const std::string& cp1250) const;
    void drawText(const std::string& utf8, int x, int y, SDL_Color colour);
    void drawEdit();
    void drawButton(const SDL_Rect& rect, const char* label, Focus which);

    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    TTF_Font* font = nullptr;
    Uint32 windowId = 0;
    bool videoStarted = false;
    bool ttfStarted = false;
    bool textInputWasActive = false;

    size_t caret;
    bool allSelected = true; // the offered name is selected, so typing replaces it
    int scroll = 0;
    Focus focus = Focus::Edit;
    Focus pressed = Focus::Edit; // the button under a mouse press; Edit when none
    bool closed = false;
    NameDialogOutcome outcome = NameDialogOutcome::Cancelled;
    std::vector<SDL_Event> kept;
};

NameDialogWindow::~NameDialogWindow() {
    if (font)
        TTF_CloseFont(font);
    if (renderer)
        SDL_DestroyRenderer(renderer);
    if (window)
        SDL_DestroyWindow(window);
    if (videoStarted && !textInputWasActive)
        SDL_StopTextInput();
    if (ttfStarted)
        TTF_Quit();
    if (videoStarted)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool NameDialogWindow::create() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    videoStarted = true;
    textInputWasActive = SDL_IsTextInputActive();
    if (TTF_Init() != 0)
        return false;
    ttfStarted = true;
    const std::string fontFile = findFontFile();
    font = fontFile.empty() ? nullptr : TTF_OpenFont(fontFile.c_str(), kFontPixels);
    if (!font)
        return false;
    window = SDL_CreateWindow("Zembrix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kClient.w,
                              kClient.h, SDL_WINDOW_HIDDEN | SDL_WINDOW_UTILITY);
    if (!window)
        return false;
    windowId = SDL_GetWindowID(window);
    // The game's choice of renderer: without graphics hardware, SDL's own software renderer
    // rather than OpenGL rasterised in software, which would cost the dialog a tenth of a second
    // and tens of megabytes to open.
    renderer = RendererChoice::create(window, false);
    if (!renderer)
        return false;
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    // Without a window manager raising does not move the keyboard focus; ask for it directly
    // (a driver that cannot do it refuses harmlessly).
    SDL_SetWindowInputFocus(window);
    SDL_StartTextInput();
    return true;
}

bool NameDialogWindow::isMine(const SDL_Event& e, bool takeUnaddressed) const {
    Uint32 id;
    switch (e.type) {
    case SDL_WINDOWEVENT:
        return e.window.windowID == windowId;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        id = e.key.windowID;
        break;
    case SDL_TEXTINPUT:
        id = e.text.windowID;
        break;
    case SDL_TEXTEDITING:
        id = e.edit.windowID;
        break;
    case SDL_MOUSEMOTION:
        return e.motion.windowID == windowId;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return e.button.windowID == windowId;
    case SDL_MOUSEWHEEL:
        return e.wheel.windowID == windowId;
    default:
        return false;
    }
    return id == windowId || (takeUnaddressed && id == 0);
}

NameDialogOutcome NameDialogWindow::run() {
    SDL_Event e;
    while (!closed) {
        draw();
        if (!SDL_WaitEvent(&e))
            close(NameDialogOutcome::Cancelled);
        else if (isMine(e, true))
            handle(e);
        else
            keep(e);
    }
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    SDL_DestroyWindow(window);
    window = nullptr;
    returnKeptEvents();
    return outcome;
}

// Takes what is still queued, drops what was the dialog's, and queues every other event again
// in the order it arrived.
void NameDialogWindow::returnKeptEvents() {
    // SDL_PollEvent would stop at the end-of-poll marker of an earlier pump and leave later
    // events behind, so the queue is emptied with SDL_PeepEvents.
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1)
        if (e.type != SDL_POLLSENTINEL && !isMine(e, false))
            kept.push_back(e);
    for (SDL_Event& event : kept)
        SDL_PushEvent(&event);
    kept.clear();
}

// Keeps another window's event for the game. A request to quit (the last window closed, or
// SIGTERM or SIGINT) also ends the dialog without a name, as a modal loop ends when the
// application is asked to quit, and stays queued so that the game then quits.
void NameDialogWindow::keep(const SDL_Event& e) {
    kept.push_back(e);
    if (e.type == SDL_QUIT)
        close(NameDialogOutcome::Cancelled);
}

void NameDialogWindow::close(NameDialogOutcome how) {
    outcome = how;
    closed = true;
}

void NameDialogWindow::handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE)
            close(NameDialogOutcome::Cancelled);
        break;
    case SDL_KEYDOWN:
        handleKey(e.key.keysym);
        break;
    case SDL_TEXTINPUT:
        if (focus == Focus::Edit)
            typeText(e.text.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT)
            handleClick(e);
        break;
    default:
        break;
    }
}

void NameDialogWindow::handleKey(const SDL_Keysym& key) {
    switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        close(focus == Focus::Cancel ? NameDialogOutcome::Cancelled : NameDialogOutcome::Accepted);
        return;
    case SDLK_ESCAPE:
        close(NameDialogOutcome::Cancelled);
        return;
    case SDLK_TAB: {
        const int step = (key.mod & KMOD_SHIFT) ? 2 : 1;
        focus = static_cast<Focus>((static_cast<int>(focus) + step) % 3);
        return;
    }
    case SDLK_SPACE:
        if (focus != Focus::Edit)
            close(focus == Focus::Ok ? NameDialogOutcome::Accepted : NameDialogOutcome::Cancelled);
        return;
    default:
        break;
    }
    if (focus != Focus::Edit)
        return;
    if (key.sym == SDLK_a && (key.mod & KMOD_CTRL)) {
        allSelected = true;
        return;
    }
    if ((key.sym == SDLK_BACKSPACE || key.sym == SDLK_DELETE) && allSelected) {
        eraseSelection();
        return;
    }
    const bool selected = allSelected;
    allSelected = false;
    if (key.sym == SDLK_BACKSPACE && caret > 0)
        text.erase(--caret, 1);
    else if (key.sym == SDLK_DELETE && caret < text.size())
        text.erase(caret, 1);
    else if (key.sym == SDLK_LEFT)
        caret = selected ? 0 : caret - (caret > 0);
    else if (key.sym == SDLK_RIGHT)
        caret = selected ? text.size() : caret + (caret < text.size());
    else if (key.sym == SDLK_HOME)
        caret = 0;
    else if (key.sym == SDLK_END)
        caret = text.size();
    else
        allSelected = selected; // other keys leave the selection alone
}

void NameDialogWindow::handleClick(const SDL_Event& e) {
    const int x = e.button.x;
    const int y = e.button.y;
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        pressed = inside(kOkButton, x, y)       ? Focus::Ok
                  : inside(kCancelButton, x, y) ? Focus::Cancel
                                                : Focus::Edit;
        if (pressed != Focus::Edit) {
            focus = pressed;
        } else if (inside(kEdit, x, y)) {
            // Put the caret at the character boundary nearest to the click.
            focus = Focus::Edit;
            allSelected = false;
            const int target = x - kEdit.x - kTextInset + scroll;
            caret = 0;
            while (caret < text.size() && textWidth(text.substr(0, caret + 1)) <= target + 2)
                ++caret;
        }
        return;
    }
    const bool onOk = pressed == Focus::Ok && inside(kOkButton, x, y);
    const bool onCancel = pressed == Focus::Cancel && inside(kCancelButton, x, y);
    pressed = Focus::Edit;
    if (onOk)
        close(NameDialogOutcome::Accepted);
    else if (onCancel)
        close(NameDialogOutcome::Cancelled);
}

void NameDialogWindow::eraseSelection() {
    text.clear();
    caret = 0;
    allSelected = false;
}

void NameDialogWindow::typeText(const char* utf8) {
    if (allSelected)
        eraseSelection();
    const std::string typed = utf8ToCp1250(utf8);
    text.insert(caret, typed);
    caret += typed.size();
}

void NameDialogWindow::fill(const SDL_Rect& rect, SDL_Color colour) {
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
    SDL_RenderFillRect(renderer, &rect);
}

void NameDialogWindow::frame(const SDL_Rect& rect, SDL_Color colour) {
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
    SDL_RenderDrawRect(renderer, &rect);
}

int NameDialogWindow::textWidth(const std::string& cp1250) const {
    int width = 0;
    if (!cp1250.empty())
        TTF_SizeUTF8(font, cp1250ToUtf8(cp1250).c_str(), &width, nullptr);
    return width;
}

void NameDialogWindow::drawText(const std::string& utf8, int x, int y, SDL_Color colour) {
    if (utf8.empty())
        return;
    SDL_Surface* surface = TTF_RenderUTF8_Blended(font, utf8.c_str(), colour);
    if (!surface)
        return;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    if (texture) {
        const SDL_Rect target{x, y, surface->w, surface->h};
        SDL_RenderCopy(renderer, texture, nullptr, &target);
        SDL_DestroyTexture(texture);
    }
    SDL_FreeSurface(surface);
}

void NameDialogWindow::drawEdit() {
    fill(kEdit, kWhite);
    frame(kEdit, focus == Focus::Edit ? kAccent : kBorder);
    const SDL_Rect inner{kEdit.x + 1, kEdit.y + 1, kEdit.w - 2, kEdit.h - 2};
    const int visible = inner.w - 2 * kTextInset;
    // Scroll sideways so that the caret stays in view, as a single-line edit field does.
    const int caretX = textWidth(text.substr(0, caret));
    if (caretX - scroll > visible)
        scroll = caretX - visible;
    if (caretX < scroll)
        scroll = caretX;
    const int x = kEdit.x + kTextInset - scroll;
    const int y = kEdit.y + (kEdit.h - TTF_FontHeight(font)) / 2;
    SDL_RenderSetClipRect(renderer, &inner);
    if (allSelected && !text.empty() && focus == Focus::Edit)
        fill({x, y, textWidth(text), TTF_FontHeight(font)}, kSelection);
    drawText(cp1250ToUtf8(text), x, y, kBlack);
    if (focus == Focus::Edit)
        fill({x + caretX, y, 1, TTF_FontHeight(font)}, kBlack);
    SDL_RenderSetClipRect(renderer, nullptr);
}

void NameDialogWindow::drawButton(const SDL_Rect& rect, const char* label, Focus which) {
    fill(rect, kButton);
    // OK is the default button: it keeps the accent border unless Cancel has the focus.
    const bool highlighted = focus == which || (which == Focus::Ok && focus == Focus::Edit);
    frame(rect, highlighted ? kAccent : kBorder);
    if (focus == which) {
        const SDL_Rect inner{rect.x + 1, rect.y + 1, rect.w - 2, rect.h - 2};
        frame(inner, kAccent);
    }
    int w = 0;
    int h = 0;
    TTF_SizeUTF8(font, label, &w, &h);
    drawText(label, rect.x + (rect.w - w) / 2, rect.y + (rect.h - h) / 2, kBlack);
}

void NameDialogWindow::draw() {
    fill(kClient, kFace);
    drawText("Imie:", kLabel.x, kLabel.y, kBlack);
    drawEdit();
    drawButton(kOkButton, "OK", Focus::Ok);
    drawButton(kCancelButton, "Cancel", Focus::Cancel);
    if (frameHook)
        frameHook(window, renderer);
    SDL_RenderPresent(renderer);
}

} // namespace

NameDialogOutcome runNameDialogWindow(std::string& text) {
    NameDialogWindow dialog(text);
    if (!dialog.create())
        return NameDialogOutcome::Unavailable;
    const NameDialogOutcome outcome = dialog.run();
    if (outcome == NameDialogOutcome::Accepted)
        text = dialog.text;
    return outcome;
}

void setNameDialogFrameHook(std::function<void(SDL_Window*, SDL_Renderer*)> hook) {
    frameHook = std::move(hook);
}
