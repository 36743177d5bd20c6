#pragma once
// A joinable thread with a small stack, for short-lived workers that do not recurse deeply.
// A thread with the default stack maps and unmaps megabytes each time it starts and ends,
// which costs more than a worker of a single save does; small stacks are kept and reused
// by the C library.

#include <cstddef>
#include <functional>

namespace vantorell {

class WorkerThread {
public:
    static constexpr std::size_t kStackSize = 512 * 1024;

    WorkerThread() = default;
    // Starts `body` on a new thread; raises std::system_error when it cannot be started.
    explicit WorkerThread(std::function<void()> body);
    // Joins the thread if it still runs.
    ~WorkerThread();
    WorkerThread(WorkerThread&& other) noexcept;
    WorkerThread& operator=(WorkerThread&& other) noexcept;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    bool joinable() const { return started_; }
    void join();

private:
    unsigned long thread_ = 0;  // pthread_t
    bool started_ = false;
};

}  // namespace vantorell
