// BoxSound: the sound the message box stand-in makes as a box opens, as Windows makes one for
// its boxes. Linux only: on Windows the real boxes make the system's own sound.
#pragma once

// Called as a box opens on the screen; set by the game's sound service, null for none.
using BoxSoundHook = void (*)();
void setBoxSound(BoxSoundHook hook);
