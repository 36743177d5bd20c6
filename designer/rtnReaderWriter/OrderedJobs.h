#pragma once
// Jobs made on worker threads and taken in their order on the calling thread: the model
// writer makes the blocks of its measures side by side and writes them out one after the
// other, as a single thread would have.
//
// A job is made at most `lookAhead` jobs ahead of the one being taken, which bounds what
// waits in memory whatever the number of jobs. Without threads (none asked for, or none the
// system could start) every job is made and taken on the calling thread, one after the other.
//
// The first job that fails to be made or taken stops the run: jobs not yet started are
// not made, the threads are joined, and the failure is raised on the calling thread.

#include <functional>

namespace vantorell {

struct OrderedJobs {
    // Makes job `job`; `worker` (0 .. threads - 1, 0 without threads) tells the scratch space
    // of the thread it runs on. Jobs on different threads must touch different data.
    using Make = std::function<void(int job, int worker)>;
    // Takes a made job, in order, on the calling thread.
    using Take = std::function<void(int job)>;

    static void run(int count, int threads, int lookAhead, const Make& make, const Take& take);
};

}  // namespace vantorell
