// Stand-in for the parts of <windows.h> the game uses: the basic Windows types, the user32
// message box (wide) and window calls, GetTickCount, and the GDI font-installation call and
// constants. The declarations match the real headers, so the same game code builds against either.
#pragma once

#include <cstddef>
#include <cstdint>

// Basic types, sized as on Windows (LLP64): DWORD and LONG are 32 bits wide.
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using BOOL = int;
using FLOAT = float;
using HRESULT = std::int32_t;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
// Wide text: UTF-16 on Windows, where wchar_t has 16 bits; here wchar_t holds code points.
using WCHAR = wchar_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using PVOID = void*;
using HANDLE = void*;
using UINT_PTR = std::uintptr_t;

struct HWND__;
using HWND = HWND__*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;
struct HDC__;
using HDC = HDC__*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;

struct POINT {
    LONG x;
    LONG y;
};

struct RGNDATA;

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define S_OK static_cast<HRESULT>(0)
#define E_FAIL static_cast<HRESULT>(0x80004005)
#define E_OUTOFMEMORY static_cast<HRESULT>(0x8007000E)
#define E_INVALIDARG static_cast<HRESULT>(0x80070057)
#define E_NOINTERFACE static_cast<HRESULT>(0x80004002)

#define WINAPI

// Message box styles and results.
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNO 0x00000004L
#define MB_ICONERROR 0x00000010L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONWARNING 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

// DrawText formats.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_NOCLIP 0x00000100

// Font creation parameters.
#define FW_NORMAL 400
#define FW_BOLD 700
#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0
#define FF_DONTCARE (0 << 4)

// user32: a blocking message box of wide texts; the answer tells which button closed it.
int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);

// user32: the window of this program that is active, or null.
HWND WINAPI GetActiveWindow();

// kernel32: milliseconds since start-up (SDL's clock).
DWORD WINAPI GetTickCount();

// gdi32: installs a font held in memory for this process; returns a handle, null on failure.
HANDLE WINAPI AddFontMemResourceEx(PVOID pFileView, DWORD cjSize, PVOID pvResrved,
                                   DWORD* pNumFonts);
