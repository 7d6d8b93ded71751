// NameDialogWindow on Windows: the name dialog made from the program's dialog template and run
// in a message loop of its own until the dialog is destroyed.
#include "score/platform/NameDialogWindow.h"

#include "resources/Resources.h"

#include <windows.h>

#include <cstdio>

namespace {

// What the dialog procedure leaves for the loop: the field's text as OK found it, and whether
// OK closed the dialog.
char fieldText[32];
bool accepted = false;

// The dialog's procedure: OK (or Enter) takes the field's text, OK and Cancel (or Escape)
// destroy the dialog, as does its close button; the destruction ends the loop with a quit
// message. Every message counts as not handled.
INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        if (wParam == IDOK) {
            accepted = true;
            GetWindowTextA(GetDlgItem(dialog, IDC_NAME), fieldText, sizeof fieldText);
            DestroyWindow(dialog);
        } else if (wParam == IDCANCEL) {
            accepted = false;
            DestroyWindow(dialog);
        }
        break;
    case WM_CLOSE:
        DestroyWindow(dialog);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    }
    return 0;
}

} // namespace

NameDialogOutcome runNameDialogWindow(std::string& text) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_NAME), nullptr,
                                     dialogProcedure, 0);
    if (dialog == nullptr) {
        std::fprintf(stderr,
                     "Zembrix: no name dialog (error %lu): the points of this run are "
                     "not entered\n",
                     GetLastError());
        return NameDialogOutcome::Unavailable;
    }
    HWND field = GetDlgItem(dialog, IDC_NAME);
    SetWindowTextA(field, text.c_str());
    ShowWindow(dialog, SW_SHOW);
    // The focus would go to the first control in the tab order, the OK button, where typing does
    // nothing: the player is asked for a name, so the field takes the focus with its offered
    // name selected, as tabbing into it would leave it; typing replaces the name, Enter keeps it.
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    accepted = false;
    fieldText[0] = '\0';
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (!accepted) {
        return NameDialogOutcome::Cancelled;
    }
    text = fieldText;
    return NameDialogOutcome::Accepted;
}
