// VideoDriver: starts SDL's video on a driver that shows windows, trying a busy display again.
#pragma once

// How the start of the video went: whether its driver shows windows, and in how many attempts.
struct VideoStart {
    bool shows = false;
    int attempts = 0;
};

// Starts SDL's video subsystem unless it runs (the caller holds it once, as SDL_Init would, and
// quits it as usual), and checks that its driver shows windows. A driver named in
// SDL_VIDEODRIVER counts as showing them; otherwise "offscreen" and "dummy", which SDL falls
// back to for want of a display, do not. An X server that DISPLAY names refuses now and then a
// connection made at the same moment as another's: while DISPLAY names one and the video did
// not start, or fell back, it is started again, for up to a second. Without DISPLAY the first
// answer stands. When the video shows nothing, SDL's error text says why.
VideoStart startVideo();

// For a game that shows nothing (a replay verified unseen): on Linux SDL's dummy video driver
// and software renderer, unless the environment names a driver, so that no display is needed.
// Elsewhere nothing changes: the game's window is then made hidden.
void useUnseenVideo();
