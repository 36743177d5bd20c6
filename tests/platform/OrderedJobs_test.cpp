#include "platform/OrderedJobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stdexcept>
#include <vector>

namespace vantorell {
namespace {

// Jobs are taken in order and each exactly once, with or without threads; none is made more
// than the look-ahead before the one being taken, and each thread keeps to its scratch index.
TEST(OrderedJobsTest, JobsAreTakenInOrderWithinTheLookAhead) {
    for (const int threads : {0, 1, 3, 8}) {
        SCOPED_TRACE(threads);
        constexpr int kJobs = 200;
        constexpr int kLookAhead = 4;
        std::vector<int> results(kJobs, -1);
        std::atomic<int> taken{0};
        std::atomic<int> furthestAhead{0};
        std::mutex workersMutex;
        std::set<int> workers;
        std::vector<int> order;
        OrderedJobs::run(
            kJobs, threads, kLookAhead,
            [&](int job, int worker) {
                int ahead = job - taken.load();
                int seen = furthestAhead.load();
                while (ahead > seen && !furthestAhead.compare_exchange_weak(seen, ahead)) {
                }
                results[static_cast<std::size_t>(job)] = job * 3;
                const std::lock_guard<std::mutex> lock(workersMutex);
                workers.insert(worker);
            },
            [&](int job) {
                EXPECT_EQ(results[static_cast<std::size_t>(job)], job * 3);
                order.push_back(job);
                taken = job + 1;
            });
        ASSERT_EQ(order.size(), static_cast<std::size_t>(kJobs));
        for (int i = 0; i < kJobs; ++i) {
            EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
        }
        EXPECT_LT(furthestAhead.load(), kLookAhead);
        for (const int w : workers) {
            EXPECT_GE(w, 0);
            EXPECT_LT(w, std::max(threads, 1));
        }
    }
}

// A job that fails to be made, or to be taken, stops the run: the jobs before it are taken,
// later ones are not, and the failure reaches the caller after every thread has ended.
TEST(OrderedJobsTest, TheFirstFailureStopsTheRunAndReachesTheCaller) {
    for (const bool failInMake : {true, false}) {
        for (const int threads : {0, 4}) {
            SCOPED_TRACE(testing::Message()
                         << (failInMake ? "make" : "take") << " threads " << threads);
            constexpr int kFailing = 7;
            std::vector<int> order;
            std::atomic<int> made{0};
            try {
                OrderedJobs::run(
                    1000, threads, 3,
                    [&](int job, int) {
                        ++made;
                        if (failInMake && job == kFailing) {
                            throw std::runtime_error("job 7");
                        }
                    },
                    [&](int job) {
                        if (!failInMake && job == kFailing) {
                            throw std::runtime_error("job 7");
                        }
                        order.push_back(job);
                    });
                ADD_FAILURE() << "the failure was not raised";
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "job 7");
            }
            EXPECT_EQ(order.size(), static_cast<std::size_t>(kFailing));
            EXPECT_LE(made.load(), kFailing + 3 + 1) << "jobs stop being made";
        }
    }
}

// The threads make the first jobs, up to the look-ahead, while the caller does other work;
// a run dropped before it is taken (the caller failed in between) stops without hanging.
TEST(OrderedJobsTest, ThreadsWorkAheadBeforeTheJobsAreTaken) {
    for (const bool take : {true, false}) {
        SCOPED_TRACE(take ? "taken" : "dropped");
        constexpr int kLookAhead = 3;
        std::mutex mutex;
        std::condition_variable madeSignal;
        int made = 0;
        std::vector<int> order;
        {
            OrderedJobs jobs(50, 2, kLookAhead, [&](int, int) {
                const std::lock_guard<std::mutex> lock(mutex);
                ++made;
                madeSignal.notify_all();
            });
            std::unique_lock<std::mutex> lock(mutex);
            ASSERT_TRUE(madeSignal.wait_for(lock, std::chrono::seconds(10), [&] {
                return made == kLookAhead;
            })) << "the threads did not start before the jobs were taken";
            lock.unlock();
            if (take) {
                jobs.takeAll([&](int job) { order.push_back(job); });
            }
        }
        EXPECT_EQ(order.size(), take ? 50U : 0U);
        EXPECT_LE(made, take ? 50 : kLookAhead);
    }
}

TEST(OrderedJobsTest, NoJobsReturnAtOnce) {
    bool called = false;
    OrderedJobs::run(
        0, 4, 2, [&](int, int) { called = true; }, [&](int) { called = true; });
    EXPECT_FALSE(called);
}

}  // namespace
}  // namespace vantorell
