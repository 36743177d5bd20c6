#include "platform/OrderedJobs.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/WorkerThread.h"

namespace vantorell {

// Synchronisation: every field is read and written under mutex_ only. A job's data is
// written by the thread that makes it before it marks the job made under the lock, and
// read by the taker after it sees the mark under the lock.
class OrderedJobs::Run {
public:
    Run(int count, int lookAhead, const OrderedJobs::Make& make)
        : count_(count),
          lookAhead_(std::max(lookAhead, 1)),
          make_(make),
          made_(count, false),
          failures_(count) {}

    // Runs on each worker thread.
    void work(int worker) {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            startable_.wait(lock, [this] {
                return stopping_ || next_ >= count_ || next_ < taken_ + lookAhead_;
            });
            if (stopping_ || next_ >= count_) {
                return;
            }
            const int job = next_++;
            lock.unlock();
            std::exception_ptr failure;
            try {
                make_(job, worker);
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            made_[job] = true;
            failures_[job] = failure;
            if (failure) {
                // Later jobs are of no use once one has failed.
                stopping_ = true;
                startable_.notify_all();
            }
            madeSignal_.notify_one();
        }
    }

    // Waits until `job` is made; raises its failure.
    void waitFor(int job) {
        std::unique_lock<std::mutex> lock(mutex_);
        madeSignal_.wait(lock, [&] { return made_[job]; });
        if (failures_[job]) {
            std::rethrow_exception(failures_[job]);
        }
    }

    void markTaken(int job) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            taken_ = job + 1;
        }
        startable_.notify_all();
    }

    void stop() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        startable_.notify_all();
    }

private:
    const int count_;
    const int lookAhead_;
    const OrderedJobs::Make& make_;

    std::mutex mutex_;
    std::condition_variable startable_;   // workers wait for a job they may start
    std::condition_variable madeSignal_;  // the taker waits for the next job to be made
    int next_ = 0;                        // the next job to start
    int taken_ = 0;                       // jobs taken so far
    bool stopping_ = false;
    std::vector<bool> made_;
    std::vector<std::exception_ptr> failures_;
};

OrderedJobs::OrderedJobs(int count, int threads, int lookAhead, Make make)
    : count_(count), make_(std::move(make)) {
    if (threads <= 0 || count <= 0) {
        return;
    }
    run_ = std::make_unique<Run>(count, lookAhead, make_);
    const int wanted = std::min(threads, count);
    workers_.reserve(static_cast<std::size_t>(wanted));
    try {
        for (int w = 0; w < wanted; ++w) {
            try {
                workers_.emplace_back([run = run_.get(), w] { run->work(w); });
            } catch (const std::system_error&) {
                break;  // the system has no more threads to give: go on with those started
            }
        }
    } catch (...) {
        // The destructor does not run for a constructor that raises.
        run_->stop();
        workers_.clear();
        throw;
    }
    if (workers_.empty()) {
        run_.reset();
    }
}

OrderedJobs::~OrderedJobs() {
    if (run_) {
        run_->stop();
        workers_.clear();
    }
}

void OrderedJobs::takeAll(const Take& take) {
    for (int job = 0; job < count_; ++job) {
        if (run_) {
            run_->waitFor(job);
        } else {
            make_(job, 0);
        }
        take(job);
        if (run_) {
            run_->markTaken(job);
        }
    }
}

}  // namespace vantorell
