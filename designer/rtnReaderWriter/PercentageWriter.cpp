#include "designer/rtnReaderWriter/PercentageWriter.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/OrderedJobs.h"
#include "designer/rtnReaderWriter/PercentageBlocks.h"
#include "designer/rtnReaderWriter/RecordBuffer.h"

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

void writePercentagesSection(RecordWriter& out, TArrMeasures& measures, TArrMeasureValues& values,
                             const TArrIrregularities& irregularities,
                             const WrittenCategories& categories, const TArrDimensions& dimensions,
                             int debugMask) {
    SectionData data(measures, values, irregularities, categories, dimensions, debugMask);
    const std::vector<BlockJob> jobs = cutIntoJobs(data, kRecordsPerJob);
    const auto jobCount = static_cast<int>(jobs.size());

    const int threads = threadsForJobs(static_cast<long long>(values.size()), jobCount, debugMask);
    const int lookAhead = std::max(1, 2 * threads);
    std::vector<RecordBuffer> buffers;
    buffers.reserve(static_cast<std::size_t>(lookAhead));
    for (int b = 0; b < lookAhead; ++b) {
        buffers.emplace_back(out.writing(), out.writingPlainLines());
    }
    // Each thread's scratch space is made on that thread, when it takes its first job.
    std::vector<std::unique_ptr<BlockWriter>> writers(
        static_cast<std::size_t>(std::max(threads, 1)));

    out.writeFormed("PER");
    // A job is made only once the job lookAhead places before it has been written, so the
    // two never share a buffer.
    OrderedJobs::run(
        jobCount, threads, lookAhead,
        [&](int job, int worker) {
            std::unique_ptr<BlockWriter>& writer = writers[static_cast<std::size_t>(worker)];
            if (!writer) {
                writer = std::make_unique<BlockWriter>(data);
            }
            RecordBuffer& buffer = buffers[static_cast<std::size_t>(job % lookAhead)];
            buffer.clear();
            writer->write(jobs[static_cast<std::size_t>(job)], buffer);
        },
        [&](int job) { out.writeBlock(buffers[static_cast<std::size_t>(job % lookAhead)]); });
    out.writeFormed("*");
}

}  // namespace vantorell
