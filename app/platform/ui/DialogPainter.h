// DialogPainter: the look of the game's dialogs and message boxes (colours, font, push buttons)
// and the drawing calls they share.
#pragma once

#include <SDL.h>

#include <string>

class FontFace;

namespace dialogLook {
// The face and em size of the dialogs' text: an 8-point dialog font at 96 dots per inch.
inline constexpr const char* kFaceName = "Liberation Sans";
inline constexpr int kFontPixels = 11;

inline constexpr SDL_Color kFace{0xF0, 0xF0, 0xF0, 0xFF};
inline constexpr SDL_Color kBlack{0, 0, 0, 0xFF};
inline constexpr SDL_Color kWhite{0xFF, 0xFF, 0xFF, 0xFF};
inline constexpr SDL_Color kBorder{0x7A, 0x7A, 0x7A, 0xFF};
inline constexpr SDL_Color kButton{0xE1, 0xE1, 0xE1, 0xFF};
inline constexpr SDL_Color kButtonPressed{0xCC, 0xE4, 0xF7, 0xFF};
inline constexpr SDL_Color kAccent{0x00, 0x78, 0xD7, 0xFF};
inline constexpr SDL_Color kSelection{0xCC, 0xE8, 0xFF, 0xFF};
} // namespace dialogLook

class DialogPainter {
  public:
    DialogPainter(SDL_Renderer* renderer, FontFace* font) : renderer(renderer), font(font) {}

    void fill(const SDL_Rect& rect, SDL_Color colour);
    // A one-pixel outline just inside rect.
    void frame(const SDL_Rect& rect, SDL_Color colour);
    // Width in pixels of a line of UTF-8 text in the dialogs' font.
    int textWidth(const std::string& utf8) const;
    // Height in pixels of a line of text.
    int lineHeight() const;
    // Draws a line of UTF-8 text with its cell's top left corner at (x, y).
    void text(const std::string& utf8, int x, int y, SDL_Color colour);
    // Draws a picture with its alpha at (x, y).
    void picture(SDL_Surface* surface, int x, int y);
    // Limits drawing to rect; null lifts the limit.
    void clip(const SDL_Rect* rect);

    // How a push button shows: the default one, or the one with the focus, has the accent
    // border; the focused one a second, inner accent border; a pressed one a pale blue face.
    struct ButtonState {
        bool highlighted = false;
        bool focused = false;
        bool pressed = false;
    };
    void button(const SDL_Rect& rect, const std::string& label, ButtonState state);

  private:
    SDL_Renderer* renderer;
    FontFace* font;
};
