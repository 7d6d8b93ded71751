// WideText: the game's Windows-1250 texts handed to the wide Windows functions.
#include "app/platform/WideText.h"

#include "app/platform/TextCodec.h"

int showMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    const std::wstring wideText = cp1250ToWide(text);
    const std::wstring wideCaption = caption != nullptr ? cp1250ToWide(caption) : L"";
    return MessageBoxW(owner, wideText.c_str(), caption != nullptr ? wideCaption.c_str() : nullptr,
                       style);
}
