// The gdi32 font installation: fonts held in memory registered for this process.
#include "gfx/platform/FontRegistry.h"

#include <windows.h>

HANDLE WINAPI AddFontMemResourceEx(PVOID pFileView, DWORD cjSize, PVOID pvResrved,
                                   DWORD* pNumFonts) {
    const RegisteredFile* file = nullptr;
    if (pvResrved == nullptr) {
        file = FontRegistry::get().install(pFileView, cjSize);
    }
    if (pNumFonts != nullptr) {
        *pNumFonts = file ? static_cast<DWORD>(file->faces.size()) : 0;
    }
    return const_cast<RegisteredFile*>(file);
}
