#pragma once
// The PER section: independent measures first, as the absolute values of their leaves,
// then weighted measures with their ratios.

#include <memory>
#include <vector>

#include "designer/rtnReaderWriter/ModelRecords.h"
#include "platform/OrderedJobs.h"
#include "designer/rtnReaderWriter/PercentageBlocks.h"
#include "designer/rtnReaderWriter/RecordBuffer.h"
#include "designer/rtnReaderWriter/RecordWriter.h"
#include "designer/rtnReaderWriter/WrittenCategories.h"

namespace vantorell {

// Made before the sections ahead of it are written: on a large model it starts making its
// blocks on worker threads at once, while the calling thread writes those sections.
//
// Stores each measure's first value index and, in the work fields of the value records, the
// absolute values written; these fields are the blocks' alone until write() returns or the
// section is destroyed. The identifiers of measures, dimensions and categories must have
// been given before; `categories` is what numberCategories found, and every array must stay
// unchanged, apart from the CAT section being written, until then.
class PercentageSection {
public:
    // `out` tells the form the blocks are made in; nothing is written to it here.
    PercentageSection(const RecordWriter& out, TArrMeasures& measures, TArrMeasureValues& values,
                      const TArrIrregularities& irregularities, const WrittenCategories& categories,
                      const TArrDimensions& dimensions, int debugMask);
    // Stops making blocks and waits for the threads.
    ~PercentageSection() = default;
    PercentageSection(const PercentageSection&) = delete;
    PercentageSection& operator=(const PercentageSection&) = delete;

    // Writes "PER", one block per measure and "*". Call once.
    void write(RecordWriter& out);

private:
    void make(int job, int worker);

    SectionData data_;
    std::vector<BlockJob> jobs_;
    int lookAhead_ = 1;
    std::vector<RecordBuffer> buffers_;                  // job j is made into j % lookAhead_
    std::vector<std::unique_ptr<BlockWriter>> writers_;  // per thread, made on that thread
    // Last, so that its threads are stopped before anything they use goes.
    std::unique_ptr<OrderedJobs> making_;
};

}  // namespace vantorell
