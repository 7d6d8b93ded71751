// Worker: work on a thread of SDL's, which every build of the game has.
#include "sound/platform/Worker.h"

#include <SDL.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

Worker::~Worker() {
    wait();
}

void Worker::run(std::function<void()> work) {
    wait();
    job = std::move(work);
    busy = true;
    thread = SDL_CreateThread(runThread, "zx-worker", this);
    if (thread == nullptr) {
        runThread(this);
    }
}

void Worker::wait() {
    if (thread != nullptr) {
        SDL_WaitThread(thread, nullptr);
        thread = nullptr;
    }
}

int Worker::runThread(void* self) {
    Worker* worker = static_cast<Worker*>(self);
    worker->job();
    worker->job = nullptr;
#ifdef __GLIBC__
    // glibc keeps what the work freed in the thread's own arena, which no other thread uses:
    // it goes back to the system.
    malloc_trim(0);
#endif
    worker->busy = false;
    return 0;
}
