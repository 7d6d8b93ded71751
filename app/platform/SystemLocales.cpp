// SystemLocales: SDL_GetPreferredLocales as a list of strings.
#include "app/platform/SystemLocales.h"

#include <SDL.h>

std::vector<std::string> systemLocales() {
    std::vector<std::string> locales;
    SDL_Locale* list = SDL_GetPreferredLocales();
    if (list == nullptr) {
        return locales;
    }
    for (const SDL_Locale* locale = list; locale->language != nullptr; ++locale) {
        std::string name = locale->language;
        if (locale->country != nullptr) {
            name += std::string("_") + locale->country;
        }
        locales.push_back(name);
    }
    SDL_free(list);
    return locales;
}
