// Worker threads over a shared job counter; the calling thread reports progress.
#include "parallel_work.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace quarn {

bool cancelRequested(const WorkControl& control) {
    return control.cancel && control.cancel->load(std::memory_order_relaxed);
}

namespace {

bool runJobs(int count, const WorkControl& control, const std::function<void(int)>& job,
             const std::function<void()>& poll) {
    if (count <= 0) return !cancelRequested(control);
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int threads = std::clamp(control.threads > 0 ? control.threads : cores, 1, count);
    std::atomic<int> next{0};
    std::mutex mutex;
    std::condition_variable changed;
    int done = 0, running = threads;

    auto work = [&] {
        for (;;) {
            const int i = next.fetch_add(1);
            if (i >= count || cancelRequested(control)) break;
            job(i);
            const std::lock_guard lock(mutex);
            ++done;
            changed.notify_all();
        }
        const std::lock_guard lock(mutex);
        --running;
        changed.notify_all();
    };
    std::vector<std::jthread> workers;
    workers.reserve(threads);
    for (int t = 0; t < threads; ++t) workers.emplace_back(work);

    int reported = -1;
    std::unique_lock lock(mutex);
    while (running > 0) {
        if (poll) {
            lock.unlock();
            poll();
            lock.lock();
            changed.wait_for(lock, std::chrono::milliseconds(100));
            continue;
        }
        if (done != reported && control.progress) {
            reported = done;
            lock.unlock();
            control.progress(reported, count);
            lock.lock();
            continue;
        }
        changed.wait_for(lock, std::chrono::milliseconds(100));
    }
    const int finished = done;
    lock.unlock();
    if (!poll && finished != reported && control.progress) control.progress(finished, count);
    return finished == count;
}

}  // namespace

bool runParallel(int count, const WorkControl& control, const std::function<void(int)>& job) {
    return runJobs(count, control, job, nullptr);
}

bool runParallelPolled(int count, const WorkControl& control, const std::function<void(int)>& job,
                       const std::function<void()>& poll) {
    return runJobs(count, control, job, poll);
}

}  // namespace quarn
