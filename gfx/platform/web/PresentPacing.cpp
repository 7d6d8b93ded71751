// PresentPacing in the browser: after each present the game's loop gives the thread back to the
// browser until its next animation frame, which shows the frame and keeps one turn to one
// refresh of the display. ASYNCIFY unwinds the loop around the wait and resumes it after.
#include "gfx/platform/PresentPacing.h"

#include <emscripten.h>

// The page counts the frames shown (page.js) and waits for the next one.
EM_ASYNC_JS(void, waitForAnimationFrame, (), {
    zembrixPage.presented();
    await new Promise(function(resolve) { requestAnimationFrame(resolve); });
});

bool PresentPacing::presentWait = true;

PresentPacing::PresentPacing(SDL_Window* /*window*/) : refreshPeriod(0) {}

// The page cannot go on without the browser's turn, so it waits even with waiting switched off.
void PresentPacing::afterPresent() {
    waitForAnimationFrame();
}
