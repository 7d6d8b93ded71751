// Worker: one piece of work run on a thread of its own, so that the caller goes on meanwhile;
// where no thread can be made (a browser build without threads) the work runs at once.
#pragma once

#include <atomic>
#include <functional>

struct SDL_Thread;

class Worker {
  public:
    Worker() = default;
    // Waits for the work.
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Starts work on a new thread after waiting for any earlier work; without a thread it runs
    // here before returning.
    void run(std::function<void()> work);
    // Returns once the work is done (at once when none was given or it is finished).
    void wait();
    // Whether the work given last is done (true when none was given); never waits.
    bool isDone() const { return !busy.load(); }

  private:
    static int runThread(void* self);

    std::function<void()> job;
    SDL_Thread* thread = nullptr;
    std::atomic<bool> busy{false};
};
