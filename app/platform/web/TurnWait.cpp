// TurnWait in the browser: the thread goes back to the browser until its next animation frame
// (ASYNCIFY unwinds the loop around the wait and resumes it after).
#include "app/platform/TurnWait.h"

#include <emscripten.h>

EM_ASYNC_JS(void, waitForNextAnimationFrame, (),
            { await new Promise(function(resolve) { requestAnimationFrame(resolve); }); });

void waitForTurn(std::uint64_t /*microseconds*/) {
    waitForNextAnimationFrame();
}

std::uint64_t steadyMicroseconds() {
    return static_cast<std::uint64_t>(emscripten_get_now() * 1000.0);
}
