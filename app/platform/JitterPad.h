// JitterPad: a test hook. With ZEMBRIX_JITTER_PAD set in the environment, the game plugs in a
// virtual game controller of SDL's whose left stick never rests still: it moves between -300
// and +300 (far inside any dead zone) once a turn, as a worn pad's does, so that an end-to-end
// test can check that such a pad takes nothing from the mouse and the keys.
#pragma once

namespace jitterPad {

// Plugs the pad in when the environment asks for it (after the game controllers started).
void plugIfAsked();
// Moves its stick to the other side of rest; nothing without the pad.
void shake();
// Pulls it out.
void unplug();

} // namespace jitterPad
