// TapeEvents: the events of the game room's vocabulary as tape entries and back: the keys, the
// mouse buttons, the window, quit and the pad. Mouse motion and the wheel, which the game room
// does not read, stay off the tape.
#pragma once

#include "replay/Tape.h"

#include <SDL.h>

#include <optional>

// The entry an event the rooms saw goes on the tape as, or nothing for one that stays off it.
std::optional<TapeEntry> entryOfEvent(const SDL_Event& event);

// The event an entry gives back, addressed to window windowId and stamped with timestamp;
// nothing for an entry that is not an event (an answer, a skip).
std::optional<SDL_Event> eventOfEntry(const TapeEntry& entry, Uint32 windowId, Uint32 timestamp);
