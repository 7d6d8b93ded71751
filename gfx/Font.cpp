// Font: a bold D3DX font of a face and pixel height, with aligned and outlined text drawing.
#include "gfx/Font.h"

#include "app/Language.h"
#include "app/platform/TextCodec.h"
#include "app/platform/WideText.h"
#include "gfx/DeviceReset.h"
#include "gfx/RenderDevice.h"
#include "pack/PackEntry.h"

#include <windows.h>

Font::~Font() {
    forgetThroughReset(this);
    if (font != nullptr) {
        font->Release();
        font = nullptr;
    }
}

// A font created before is released first, so creating again does not leak it.
bool Font::create(const char* face, std::int32_t height) {
    forgetThroughReset(this);
    if (font != nullptr) {
        font->Release();
        font = nullptr;
    }
    HRESULT result = D3DXCreateFontA(RenderDevice::getDevice(), height, 0, FW_BOLD, 0, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, face, &font);
    if (FAILED(result)) {
        return false;
    }
    keepThroughReset(
        this, [this] { font->OnLostDevice(); }, [this] { font->OnResetDevice(); });
    this->height = height;
    return true;
}

bool Font::createFromPack(PackEntry* entry, const char* face, std::int32_t height) {
    if (entry == nullptr) {
        showMessageBox(nullptr, tr(TextId::ErrorData), nullptr, MB_OK);
        return false;
    }
    DWORD installed = 0;
    AddFontMemResourceEx(entry->data, entry->size, nullptr, &installed);
    if (!create(face, height)) {
        return false;
    }
    entry->freeData();
    return true;
}

// Texts anchored further off than this lie outside any screen; they are not drawn, which also
// keeps the anchor-plus-offset arithmetic of text drawing away from the ends of the int range
// (a stone of a damaged level can sit there).
static constexpr std::int32_t kFarAnchor = 1 << 24;

void Font::draw(const char* text, std::int32_t x, std::int32_t y, D3DCOLOR colour, DWORD format,
                std::int32_t outline, D3DCOLOR outlineColour) {
    if (font == nullptr || x < -kFarAnchor || x > kFarAnchor || y < -kFarAnchor || y > kFarAnchor) {
        return;
    }
    // Windows reads the wide text alike whatever its code page for programs without Unicode.
    cp1250ToWide(text, wide);
    if (outline != 0) {
        if (outlineColour == 0) {
            outlineColour = 0xFF000000;
        }
        drawWide(x - outline, y - outline, outlineColour, format);
        drawWide(x - outline, y + outline, outlineColour, format);
        drawWide(x + outline, y + outline, outlineColour, format);
        drawWide(x + outline, y - outline, outlineColour, format);
    }
    drawWide(x, y, colour, format);
}

void Font::drawWide(std::int32_t x, std::int32_t y, D3DCOLOR colour, DWORD format) {
    RECT rect = {x, y, x, y};
    font->DrawTextW(nullptr, wide.c_str(), -1, &rect, format | DT_NOCLIP, colour);
}
