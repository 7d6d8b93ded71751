// The process-wide registry of fonts installed from memory; faces are read with SDL_ttf.
#include "gfx/platform/FontRegistry.h"

#include <SDL_ttf.h>

#include <cstring>
#include <strings.h>

namespace {

// True when a style name names a bold weight ("Bold", "Bold Italic", "ExtraBold", ...).
bool isBoldStyle(const char* style) {
    return style != nullptr && strcasestr(style, "bold") != nullptr;
}

// Reads the family and style of every face in the bytes; empty when FreeType cannot open them.
std::vector<RegisteredFace> readFaces(const std::vector<std::uint8_t>& bytes) {
    std::vector<RegisteredFace> faces;
    if (TTF_Init() != 0) {
        return faces;
    }
    long count = 1;
    for (long index = 0; index < count; ++index) {
        SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        TTF_Font* font = source ? TTF_OpenFontIndexRW(source, 1, 12, index) : nullptr;
        if (font == nullptr) {
            break;
        }
        count = TTF_FontFaces(font);
        const char* family = TTF_FontFaceFamilyName(font);
        const char* style = TTF_FontFaceStyleName(font);
        if (family != nullptr && family[0] != '\0') {
            faces.push_back({family, style ? style : "", index, isBoldStyle(style)});
        }
        TTF_CloseFont(font);
    }
    TTF_Quit();
    return faces;
}

} // namespace

// Never destroyed: installed fonts stay for the whole process, and faces opened from their
// bytes may be closed as late as the process's own teardown.
FontRegistry& FontRegistry::get() {
    static FontRegistry* registry = new FontRegistry();
    return *registry;
}

const RegisteredFile* FontRegistry::findBytes(const void* data, std::size_t size) const {
    for (const auto& file : files) {
        if (file->bytes.size() == size && std::memcmp(file->bytes.data(), data, size) == 0) {
            return file.get();
        }
    }
    return nullptr;
}

const RegisteredFile* FontRegistry::install(const void* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > static_cast<std::size_t>(INT32_MAX)) {
        return nullptr;
    }
    if (const RegisteredFile* known = findBytes(data, size)) {
        return known;
    }
    auto file = std::make_unique<RegisteredFile>();
    const auto* first = static_cast<const std::uint8_t*>(data);
    file->bytes.assign(first, first + size);
    file->faces = readFaces(file->bytes);
    if (file->faces.empty()) {
        return nullptr;
    }
    files.push_back(std::move(file));
    return files.back().get();
}

const RegisteredFace* FontRegistry::find(const std::string& family, bool bold,
                                         const RegisteredFile** file) const {
    const RegisteredFace* found = nullptr;
    for (const auto& candidate : files) {
        for (const RegisteredFace& face : candidate->faces) {
            if (strcasecmp(face.family.c_str(), family.c_str()) != 0) {
                continue;
            }
            if (found == nullptr || (face.bold == bold && found->bold != bold)) {
                found = &face;
                *file = candidate.get();
            }
        }
    }
    return found;
}
