// PictureCache: the pictures a device has decoded into textures, shared by every texture loaded
// from the same file bytes with the same options, so that the stones of a level hold one
// decoded picture per colour between them instead of one each.
#pragma once

#include <d3d9.h>

#include <SDL_render.h>

#include <cstdint>
#include <memory>
#include <vector>

class PictureCache {
  public:
    // How a file was loaded: the requested size.
    struct Options {
        UINT width = 0;
        UINT height = 0;
        bool operator==(const Options&) const = default;
    };

    // One decoded picture and what drawing needs to know of it.
    struct Picture {
        std::vector<std::uint8_t> source; // the file's bytes
        Options options;
        SDL_Texture* texture = nullptr;
        int width = 0;
        int height = 0;
        bool opaque = false;  // every texel has alpha 255
        D3DCOLOR topLeft = 0; // the texel at (0, 0), ARGB
        unsigned users = 0;
    };

    // The picture decoded from these bytes with these options, with one user more; null when
    // there is none.
    Picture* find(const void* bytes, UINT size, const Options& options);
    // Keeps a newly decoded picture, with one user.
    Picture* add(std::unique_ptr<Picture> picture);
    // Drops one user of the picture. Returns its texture, for the caller to free, when that was
    // the last user (the picture is then forgotten); null otherwise.
    SDL_Texture* release(Picture* picture);
    std::size_t size() const { return pictures.size(); }

  private:
    std::vector<std::unique_ptr<Picture>> pictures;
};
