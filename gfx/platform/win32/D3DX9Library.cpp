// D3DX9Library: d3dx9_43.dll loaded at run time, and the D3DX functions the game calls defined
// here as calls through the addresses taken from it. So the program imports nothing that a
// Windows without Microsoft's DirectX End-User Runtime lacks, and can say what is missing
// instead of the loader's box, which blames the program.
#include "gfx/platform/win32/D3DX9Library.h"

#include <d3dx9.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The addresses of the functions the game calls.
decltype(&D3DXCreateFontA) createFont = nullptr;
decltype(&D3DXCreateLine) createLine = nullptr;
decltype(&D3DXCreateSprite) createSprite = nullptr;
decltype(&D3DXCreateTextureFromFileInMemory) createTexture = nullptr;
decltype(&D3DXCreateTextureFromFileInMemoryEx) createTextureEx = nullptr;
decltype(&D3DXMatrixTransformation2D) matrixTransformation2D = nullptr;

constexpr const wchar_t* kDll = L"d3dx9_43.dll";
constexpr const wchar_t* kRuntimePage = L"https://www.microsoft.com/download/details.aspx?id=35";

// Says what is missing (the DLL, or the function named by missing in it) and where the runtime
// that brings it is found, in Polish and in English.
void reportMissing(const char* missing) {
    std::wstring function;
    for (const char* c = missing; c != nullptr && *c != '\0'; ++c) {
        function.push_back(static_cast<wchar_t>(*c));
    }
    std::wstring text;
    if (function.empty()) {
        text = L"Nie znaleziono biblioteki d3dx9_43.dll, bez kt\u00f3rej gra nie dzia\u0142a.\n";
    } else {
        text = L"W bibliotece d3dx9_43.dll brak funkcji " + function +
               L", bez kt\u00f3rej gra nie dzia\u0142a.\n";
    }
    text += L"Zainstaluj bezp\u0142atny pakiet Microsoft DirectX End-User Runtime ze strony:\n";
    text += kRuntimePage;
    text += L"\n\n";
    if (function.empty()) {
        text += L"d3dx9_43.dll was not found; the game cannot run without it.\n";
    } else {
        text +=
            L"d3dx9_43.dll lacks the function " + function + L"; the game cannot run without it.\n";
    }
    text += L"Install Microsoft's free DirectX End-User Runtime from:\n";
    text += kRuntimePage;
    std::fprintf(stderr, "zembrix: d3dx9_43.dll %s%s\n", function.empty() ? "not found" : "lacks ",
                 function.empty() ? "" : missing);
    MessageBoxW(nullptr, text.c_str(), L"Zembrix", MB_OK | MB_ICONERROR);
}

// Takes the address of name from library into function; false (after the box) when it is not
// there.
template <typename Function> bool take(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (function == nullptr) {
        reportMissing(name);
        return false;
    }
    return true;
}

} // namespace

bool loadD3DX9() {
    // The program's own folder and the system's, never the working directory, which anyone may
    // have filled.
    HMODULE library = LoadLibraryExW(kDll, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (library == nullptr) {
        reportMissing(nullptr);
        return false;
    }
    return take(library, "D3DXCreateFontA", createFont) &&
           take(library, "D3DXCreateLine", createLine) &&
           take(library, "D3DXCreateSprite", createSprite) &&
           take(library, "D3DXCreateTextureFromFileInMemory", createTexture) &&
           take(library, "D3DXCreateTextureFromFileInMemoryEx", createTextureEx) &&
           take(library, "D3DXMatrixTransformation2D", matrixTransformation2D);
}

HRESULT WINAPI D3DXCreateFontA(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                               UINT miplevels, BOOL italic, DWORD charset, DWORD precision,
                               DWORD quality, DWORD pitchandfamily, const char* facename,
                               ID3DXFont** font) {
    return createFont(device, height, width, weight, miplevels, italic, charset, precision, quality,
                      pitchandfamily, facename, font);
}

HRESULT WINAPI D3DXCreateLine(IDirect3DDevice9* device, ID3DXLine** line) {
    return createLine(device, line);
}

HRESULT WINAPI D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite) {
    return createSprite(device, sprite);
}

HRESULT WINAPI D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* data,
                                                 UINT size, IDirect3DTexture9** texture) {
    return createTexture(device, data, size, texture);
}

HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(
    IDirect3DDevice9* device, const void* data, UINT size, UINT width, UINT height, UINT miplevels,
    DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter, DWORD mipfilter, D3DCOLOR colorkey,
    D3DXIMAGE_INFO* info, PALETTEENTRY* palette, IDirect3DTexture9** texture) {
    return createTextureEx(device, data, size, width, height, miplevels, usage, format, pool,
                           filter, mipfilter, colorkey, info, palette, texture);
}

D3DXMATRIX* WINAPI D3DXMatrixTransformation2D(D3DXMATRIX* out, const D3DXVECTOR2* scalingCentre,
                                              FLOAT scalingRotation, const D3DXVECTOR2* scaling,
                                              const D3DXVECTOR2* rotationCentre, FLOAT rotation,
                                              const D3DXVECTOR2* translation) {
    return matrixTransformation2D(out, scalingCentre, scalingRotation, scaling, rotationCentre,
                                  rotation, translation);
}
