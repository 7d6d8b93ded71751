// MessageBoxWindow in the browser: the box is built in the page over the game's picture, in the
// look of the Linux build's boxes (page.js draws it), and the game's code waits for its answer
// through ASYNCIFY, as it waits for a box of its own window on Linux.
#include "app/platform/ui/MessageBoxWindow.h"

#include "app/Language.h"
#include "app/platform/TextCodec.h"
#include "app/platform/ui/BoxIcon.h"

#include <emscripten.h>

#include <optional>
#include <vector>

namespace {

// Shows the box and waits for the button chosen: its index, or -1 when it was closed without
// one. The icon is kBoxIconSize square RGBA pixels, or null; labels are the buttons' captions
// (UTF-8), one a line.
EM_ASYNC_JS(int, showPageBox,
            (const char* caption, const char* text, const char* labels, const unsigned char* icon,
             int iconSize),
            {
                var pixels = icon ? HEAPU8.slice(icon, icon + iconSize * iconSize * 4) : null;
                return await zembrixPage.box(UTF8ToString(caption), UTF8ToString(text),
                                             UTF8ToString(labels).split('\n'), pixels, iconSize);
            });

// The kind's icon as RGBA bytes; empty for a box without one.
std::vector<unsigned char> iconPixels(UINT type) {
    std::vector<unsigned char> pixels;
    const std::optional<BoxIconKind> kind = boxIconKind(type);
    SDL_Surface* icon = kind ? makeBoxIcon(*kind) : nullptr;
    if (icon == nullptr) {
        return pixels;
    }
    pixels.resize(static_cast<std::size_t>(kBoxIconSize * kBoxIconSize * 4));
    SDL_ConvertPixels(kBoxIconSize, kBoxIconSize, icon->format->format, icon->pixels, icon->pitch,
                      SDL_PIXELFORMAT_ABGR8888, pixels.data(), kBoxIconSize * 4);
    SDL_FreeSurface(icon);
    return pixels;
}

} // namespace

// The owner plays no part: the page has one picture, and the box stands over it.
int runMessageBoxWindow(SDL_Window* /*owner*/, const std::string& text, const std::string& caption,
                        UINT type) {
    const bool question = (type & 0xF) == MB_YESNO;
    const std::vector<unsigned char> icon = iconPixels(type);
    const std::string labels =
        question ? cp1250ToUtf8(std::string(tr(TextId::BoxYes)) + "\n" + tr(TextId::BoxNo))
                 : cp1250ToUtf8(tr(TextId::BoxOk));
    const int chosen = showPageBox(caption.c_str(), text.c_str(), labels.c_str(),
                                   icon.empty() ? nullptr : icon.data(), kBoxIconSize);
    if (question) {
        return chosen == 0 ? IDYES : IDNO;
    }
    return IDOK;
}
