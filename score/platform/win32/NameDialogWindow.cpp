// NameDialogWindow on Windows: the name dialog made from the program's dialog template and run
// in a message loop of its own until the dialog is destroyed. It is made, filled and read through
// the wide functions, so that a Windows whose code page is not Polish shows and takes the Polish
// letters; the name goes back to Windows-1250 for the table.
#include "score/platform/NameDialogWindow.h"

#include "app/Language.h"
#include "app/platform/TextCodec.h"
#include "resources/Resources.h"

#include <windows.h>

#include <cstdio>

namespace {

// What the dialog procedure leaves for the loop: the field's text as OK found it, and whether
// OK closed the dialog.
std::wstring fieldText;
bool accepted = false;

// The whole text of window field.
std::wstring windowText(HWND field) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The dialog's procedure: OK (or Enter) takes the field's text, OK and Cancel (or Escape)
// destroy the dialog, as does its close button; the destruction ends the loop with a quit
// message. Every message counts as not handled.
INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        if (wParam == IDOK) {
            accepted = true;
            fieldText = windowText(GetDlgItem(dialog, IDC_NAME));
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

// Whether a key message repeats a key held down since before the dialog opened (the bat's key
// when the last life went): its previous-state bit is set while no press of the key began here.
// pressedHere notes the keys whose presses began in the dialog, until their release.
bool isHeldFromBefore(const MSG& message, bool (&pressedHere)[256]) {
    const WPARAM key = message.wParam & 0xFF;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if ((message.lParam & (1L << 30)) == 0) {
            pressedHere[key] = true;
        }
        return !pressedHere[key];
    case WM_KEYUP:
    case WM_SYSKEYUP:
        pressedHere[key] = false;
        return false;
    default:
        return false;
    }
}

} // namespace

NameDialogOutcome runNameDialogWindow(std::string& text) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NAME), nullptr,
                                     dialogProcedure, 0);
    if (dialog == nullptr) {
        std::fprintf(stderr,
                     "Zembrix: no name dialog (error %lu): the points of this run are "
                     "not entered\n",
                     GetLastError());
        return NameDialogOutcome::Unavailable;
    }
    // The template's texts are the Polish ones; the current language's replace them, the label
    // reaching as far as the field, so that a longer word than "Imie:" is not cut.
    HWND label = GetDlgItem(dialog, IDC_NAME_TEXT);
    RECT labelArea{};
    RECT fieldArea{};
    GetWindowRect(label, &labelArea);
    GetWindowRect(GetDlgItem(dialog, IDC_NAME), &fieldArea);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&labelArea), 2);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&fieldArea), 2);
    SetWindowPos(label, nullptr, 0, 0, fieldArea.left - labelArea.left - 2,
                 labelArea.bottom - labelArea.top, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowTextW(label, cp1250ToWide(tr(TextId::NameLabel)).c_str());
    SetDlgItemTextW(dialog, IDOK, cp1250ToWide(tr(TextId::NameOk)).c_str());
    SetDlgItemTextW(dialog, IDCANCEL, cp1250ToWide(tr(TextId::NameCancel)).c_str());
    HWND field = GetDlgItem(dialog, IDC_NAME);
    SetWindowTextW(field, cp1250ToWide(text.c_str()).c_str());
    ShowWindow(dialog, SW_SHOW);
    // The focus would go to the first control in the tab order, the OK button, where typing does
    // nothing: the player is asked for a name, so the field takes the focus with its offered
    // name selected, as tabbing into it would leave it; typing replaces the name, Enter keeps it.
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    accepted = false;
    fieldText.clear();
    MSG message;
    bool pressedHere[256] = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (isHeldFromBefore(message, pressedHere)) {
            continue; // neither typed nor answered: the key went down before the dialog opened
        }
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (!accepted) {
        return NameDialogOutcome::Cancelled;
    }
    // A letter that Windows-1250 lacks is kept as '?'; the name is cut to 31 bytes later.
    text = wideToCp1250(fieldText.c_str());
    return NameDialogOutcome::Accepted;
}
