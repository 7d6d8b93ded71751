// Worker: work on a thread of SDL's, which every build of the game has.
#include "sound/platform/Worker.h"

#include <SDL.h>

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
    worker->busy = false;
    return 0;
}
