// DialogPainter: rectangles, text and push buttons of the dialogs, with SDL's renderer.
#include "app/platform/ui/DialogPainter.h"

#include "gfx/platform/FontFace.h"

#include <SDL_render.h>

void DialogPainter::fill(const SDL_Rect& rect, SDL_Color colour) {
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
    SDL_RenderFillRect(renderer, &rect);
}

void DialogPainter::frame(const SDL_Rect& rect, SDL_Color colour) {
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
    SDL_RenderDrawRect(renderer, &rect);
}

int DialogPainter::textWidth(const std::string& utf8) const {
    return font->measure(utf8);
}

int DialogPainter::lineHeight() const {
    return font->getHeight();
}

void DialogPainter::text(const std::string& utf8, int x, int y, SDL_Color colour) {
    SDL_Surface* surface = font->render(utf8);
    if (surface == nullptr) {
        return;
    }
    // The face renders white coverage; the colour tints it.
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    if (texture != nullptr) {
        SDL_SetTextureColorMod(texture, colour.r, colour.g, colour.b);
        const SDL_Rect target{x, y, surface->w, surface->h};
        SDL_RenderCopy(renderer, texture, nullptr, &target);
        SDL_DestroyTexture(texture);
    }
    SDL_FreeSurface(surface);
}

void DialogPainter::picture(SDL_Surface* surface, int x, int y) {
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    if (texture == nullptr) {
        return;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    const SDL_Rect target{x, y, surface->w, surface->h};
    SDL_RenderCopy(renderer, texture, nullptr, &target);
    SDL_DestroyTexture(texture);
}

void DialogPainter::clip(const SDL_Rect* rect) {
    SDL_RenderSetClipRect(renderer, rect);
}

void DialogPainter::button(const SDL_Rect& rect, const std::string& label, ButtonState state) {
    using namespace dialogLook;
    fill(rect, state.pressed ? kButtonPressed : kButton);
    frame(rect, state.highlighted || state.focused ? kAccent : kBorder);
    if (state.focused) {
        frame({rect.x + 1, rect.y + 1, rect.w - 2, rect.h - 2}, kAccent);
    }
    const int w = textWidth(label);
    text(label, rect.x + (rect.w - w) / 2, rect.y + (rect.h - lineHeight()) / 2, kBlack);
}
