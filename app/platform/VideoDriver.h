// VideoDriver: tells whether SDL settled on a video driver that shows nothing unasked.
#pragma once

// True when SDL's current video driver shows nothing ("offscreen" or "dummy") and SDL_VIDEODRIVER
// did not name a driver, so SDL fell back to it for want of a display; SDL's error text then
// says so. A driver named in SDL_VIDEODRIVER counts as asked for. False without a driver.
bool videoDriverShowsNothing();
