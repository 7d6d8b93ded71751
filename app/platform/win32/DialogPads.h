// DialogPads: on Windows the message boxes and the name dialog are Windows' own, run in message
// loops the game does not turn; while one is open a timer of its own hands it the gamepads'
// input, as the game's own dialogs take it on Linux.
#pragma once

namespace dialogPads {

// Watches the dialogs this thread opens from now on: left and right move the focus between
// their controls, A presses the focused button (OK from another control), B answers No,
// Cancel or OK, whichever the dialog has first.
void start();
// Watches no more.
void stop();

} // namespace dialogPads
