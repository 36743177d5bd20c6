#pragma once
// Jobs made on worker threads and taken in their order on the calling thread: the model
// writer makes the blocks of its measures side by side, the file cipher deciphers batches
// of body lines side by side, and each writes them out one after the other, as a single
// thread would have.
//
// A job is made at most `lookAhead` jobs ahead of the one being taken, which bounds what
// waits in memory whatever the number of jobs. Without threads (none asked for, or none the
// system could start) every job is made and taken on the calling thread, one after the other.
//
// The threads start making jobs as soon as the run is made, so the calling thread can do
// other work before it takes them.
//
// The first job that fails to be made or taken stops the run: jobs not yet started are
// not made, the threads are joined, and the failure is raised on the calling thread.

#include <functional>
#include <memory>
#include <vector>

#include "platform/WorkerThread.h"

namespace vantorell {

class OrderedJobs {
public:
    // Makes job `job`; `worker` (0 .. threads - 1, 0 without threads) tells the scratch space
    // of the thread it runs on. Jobs on different threads must touch different data.
    using Make = std::function<void(int job, int worker)>;
    // Takes a made job, in order, on the calling thread.
    using Take = std::function<void(int job)>;

    // Starts up to `threads` threads, which make the first `lookAhead` jobs at once.
    OrderedJobs(int count, int threads, int lookAhead, Make make);
    // Stops the threads and waits for them: a job being made is finished, later ones are not
    // started.
    ~OrderedJobs();
    OrderedJobs(const OrderedJobs&) = delete;
    OrderedJobs& operator=(const OrderedJobs&) = delete;

    // Takes every job in order, waiting for each to be made; raises the first failure. Call
    // once.
    void takeAll(const Take& take);

    // Makes and takes every job.
    static void run(int count, int threads, int lookAhead, Make make, const Take& take) {
        OrderedJobs(count, threads, lookAhead, std::move(make)).takeAll(take);
    }

private:
    class Run;

    const int count_;
    const Make make_;
    std::unique_ptr<Run> run_;  // null without threads
    // After run_, so that the threads are joined before what they work on goes.
    std::vector<WorkerThread> workers_;
};

}  // namespace vantorell
