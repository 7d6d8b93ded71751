// PictureCache: decoded pictures shared between textures loaded from the same bytes.
#include "PictureCache.h"

#include <algorithm>
#include <cstring>

// Pictures are told apart by their whole bytes, so two files never share by mistake.
PictureCache::Picture* PictureCache::find(const void* bytes, UINT size, const Options& options) {
    for (const auto& picture : pictures) {
        if (picture->options == options && picture->source.size() == size &&
            std::memcmp(picture->source.data(), bytes, size) == 0) {
            ++picture->users;
            return picture.get();
        }
    }
    return nullptr;
}

PictureCache::Picture* PictureCache::add(std::unique_ptr<Picture> picture) {
    picture->users = 1;
    pictures.push_back(std::move(picture));
    return pictures.back().get();
}

SDL_Texture* PictureCache::release(Picture* picture) {
    if (--picture->users > 0) {
        return nullptr;
    }
    SDL_Texture* texture = picture->texture;
    pictures.erase(std::find_if(pictures.begin(), pictures.end(),
                                [picture](const auto& kept) { return kept.get() == picture; }));
    return texture;
}
