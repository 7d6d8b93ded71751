// NameDialogWindow: the name entry dialog as a small window of its own with its own event loop.
#pragma once

#include <string>

enum class NameDialogOutcome {
    Accepted,   // OK or Enter closed it
    Cancelled,  // Cancel, Escape, the close button, or a request to quit
    Unavailable // no window could be made (no video, no font, window or renderer refused)
};

// Shows the dialog (caption "Zembrix", label "Imie:", an edit field holding text, OK and
// Cancel), centred, and runs its loop on this thread until it is closed. On Accepted, text holds
// the field's content as Windows-1250 bytes (typed UTF-8 converted, '?' for a character the
// code page lacks), at most 31 of them. Events of other windows are kept and handed back to
// SDL's queue in their order (see DialogEvents). When no window can be made, says so on
// standard error. On Windows (win32/NameDialogWindow.cpp) the dialog is made from the program's
// template 102 and its loop takes the thread's messages, dispatching the game window's as usual.
NameDialogOutcome runNameDialogWindow(std::string& text);
