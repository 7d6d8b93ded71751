// TextEntry: whether the keyboard types text (SDL_TEXTINPUT events, with the system's input
// methods), which the game asks for only while a text field is being edited.
#pragma once

namespace textEntry {

void start();
void stop();
// Between start and stop: the keys type, and the game's own letter keys (M) keep still.
bool active();

} // namespace textEntry
