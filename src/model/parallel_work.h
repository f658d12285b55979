// Long design studies (many sweeps of the solver) share out their jobs over the cores,
// each job on its own copy of the gear, and can be cancelled and watched.
#pragma once

#include <atomic>
#include <functional>

namespace quarn {

struct WorkControl {
    // Set from any thread to stop the work: jobs not yet started are skipped.
    const std::atomic<bool>* cancel = nullptr;
    // Jobs done of all; called on the thread that runs the work, never from a worker.
    std::function<void(int done, int total)> progress;
    int threads = 0;  // 0: one per core
};

bool cancelRequested(const WorkControl& control);

// Runs job(i) for every i in [0, count) on worker threads and waits for them. Returns
// false when it was cancelled before every job ran. Each job must touch only its own
// data; results go into slot i of something the caller made beforehand.
bool runParallel(int count, const WorkControl& control, const std::function<void(int)>& job);
// The same for a few long jobs that count their own progress: `poll` is called on the
// calling thread about ten times a second while they run (control.progress is not).
bool runParallelPolled(int count, const WorkControl& control, const std::function<void(int)>& job,
                       const std::function<void()>& poll);

}  // namespace quarn
