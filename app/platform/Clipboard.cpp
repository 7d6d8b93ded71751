// Clipboard: SDL's clipboard functions, with the text SDL hands out freed.
#include "app/platform/Clipboard.h"

#include <SDL.h>

namespace clipboard {

bool setText(const std::string& text) {
    return SDL_SetClipboardText(text.c_str()) == 0;
}

std::string getText() {
    char* text = SDL_GetClipboardText();
    if (text == nullptr) {
        return "";
    }
    std::string copy = text;
    SDL_free(text);
    return copy;
}

} // namespace clipboard
