#include "designer/rtnReaderWriter/PercentageWriter.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "designer/rtnReaderWriter/DebugMessage.h"

namespace vantorell {
namespace {

// Records of a job: enough that a job costs far more than handing it over, few enough that
// the jobs of a large model spread evenly over the threads.
constexpr int kRecordsPerJob = 4096;

// Threads that make jobs side by side: none for a small model, where starting them costs
// more than they save, and none when each block announces itself in a message box, which
// only the calling thread may show.
int threadsForJobs(long long valueRecords, int jobs, int debugMask) {
    constexpr long long kValueRecordsForThreads = 20000;
    if ((debugMask & kDebugProgress) != 0 || valueRecords < kValueRecordsForThreads || jobs < 2) {
        return 0;
    }
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(processors - 1, 0, jobs);
}

}  // namespace

PercentageSection::PercentageSection(const RecordWriter& out, TArrMeasures& measures,
                                     TArrMeasureValues& values,
                                     const TArrIrregularities& irregularities,
                                     const WrittenCategories& categories,
                                     const TArrDimensions& dimensions, int debugMask)
    : data_(measures, values, irregularities, categories, dimensions, debugMask),
      jobs_(cutIntoJobs(data_, kRecordsPerJob)) {
    const auto jobCount = static_cast<int>(jobs_.size());
    const int threads = threadsForJobs(static_cast<long long>(values.size()), jobCount, debugMask);
    lookAhead_ = std::max(1, 2 * threads);
    buffers_.reserve(static_cast<std::size_t>(lookAhead_));
    for (int b = 0; b < lookAhead_; ++b) {
        buffers_.emplace_back(out.writing(), out.writingPlainLines());
    }
    writers_.resize(static_cast<std::size_t>(std::max(threads, 1)));
    // A job is made only once the job lookAhead_ places before it has been written, so the
    // two never share a buffer.
    making_ = std::make_unique<OrderedJobs>(jobCount, threads, lookAhead_,
                                            [this](int job, int worker) { make(job, worker); });
}

void PercentageSection::make(int job, int worker) {
    std::unique_ptr<BlockWriter>& writer = writers_[static_cast<std::size_t>(worker)];
    if (!writer) {
        writer = std::make_unique<BlockWriter>(data_);
    }
    RecordBuffer& buffer = buffers_[static_cast<std::size_t>(job % lookAhead_)];
    buffer.clear();
    writer->write(jobs_[static_cast<std::size_t>(job)], buffer);
}

void PercentageSection::write(RecordWriter& out) {
    out.writeFormed("PER");
    making_->takeAll(
        [&](int job) { out.writeBlock(buffers_[static_cast<std::size_t>(job % lookAhead_)]); });
    out.writeFormed("*");
}

}  // namespace vantorell
