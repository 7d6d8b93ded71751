// NameDialogWindow: the name entry dialog as a small SDL window with its own event loop.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>

enum class NameDialogOutcome {
    Accepted,   // OK or Enter closed it
    Cancelled,  // Cancel, Escape or the close button
    Unavailable // no window could be made (no video, no font, window or renderer refused)
};

// Shows the dialog (caption "Zembrix", label "Imie:", an edit field holding text, OK and
// Cancel), centred, and runs its loop on this thread until it is closed. On Accepted, text holds
// the field's content as Windows-1250 bytes (typed UTF-8 converted, '?' for a character the
// code page lacks), uncut. Keyboard and text events addressed to the dialog or to no window are
// its input; events of other windows are kept and handed back to SDL's queue in their order.
NameDialogOutcome runNameDialogWindow(std::string& text);

// Test seam: called after each frame is drawn, before it is presented; empty removes it.
void setNameDialogFrameHook(std::function<void(SDL_Window*, SDL_Renderer*)> hook);
