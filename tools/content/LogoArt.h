// LogoArt: the menu's logo with the game's name (638 x 158) and the game's icon (the window's
// at 64 x 64, the desktop's at any size).
#pragma once

#include "tools/content/Canvas.h"

// "Zembrix" in thick rounded letters: warm gradient faces with a white rim, a navy outline and a
// soft shadow; the dot of the i is the game's ball.
Canvas drawLogo();
// A rounded blue square with the logo's Z and a ball, size x size pixels (the window icon is
// the 64-pixel one).
Canvas drawIcon(int size = 64);
