// MessageBoxWindow: a message box drawn in the look of the game's dialogs.
#pragma once

#include <windows.h>

#include <SDL.h>

#include <string>

// Shows a box with the caption and text (UTF-8) of the style: its kind's icon (MB_ICONERROR,
// MB_ICONINFORMATION, MB_ICONQUESTION), the text wrapped, and the buttons of a Polish Windows
// ("OK"; MB_YESNO: "Tak" and "Nie"). It is modal for owner and centred on it (on the display
// without one), and runs until it is answered. Enter and Space answer the focused button (the
// first, until Tab or an arrow moves the focus); Escape and the close button close an OK box; a
// Yes/No box has no way out but its buttons. A request to quit closes it as its close would,
// and stays queued for the game. Returns IDYES, IDNO or IDOK; 0 when the window cannot be made.
int runMessageBoxWindow(SDL_Window* owner, const std::string& text, const std::string& caption,
                        UINT type);
