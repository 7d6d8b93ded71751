// WideText: the game's Windows-1250 texts handed to the wide Windows functions, which read them
// alike on every Windows, whatever its code page for programs without Unicode.
#pragma once

#include <windows.h>

// MessageBoxW with text and caption (Windows-1250; a null caption: the system's default one)
// converted to wide text; answers what MessageBoxW answers.
int showMessageBox(HWND owner, const char* text, const char* caption, UINT style);
