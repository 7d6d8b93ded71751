// BoxIcon: the icons of the message box kinds (error, information, question), drawn by code.
#pragma once

#include <windows.h>

#include <SDL.h>

#include <optional>

// The kinds of box that show an icon.
enum class BoxIconKind { Error, Information, Question };

// The kind of icon a message box of a style (MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION)
// shows; none for a plain box.
std::optional<BoxIconKind> boxIconKind(UINT type);

// The icon's size in pixels, as on a screen of 96 dots per inch.
inline constexpr int kBoxIconSize = 32;

// Draws a kind's icon: a red disc with a white cross for an error, a blue disc with a white
// "i" or "?" for information or a question, anti-aliased, on a transparent ground. Null when
// the picture cannot be made. The caller frees the surface.
SDL_Surface* makeBoxIcon(BoxIconKind kind);
