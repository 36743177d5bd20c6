#pragma once
// The blocks of the PER section, cut into jobs that can be made side by side: a job is a
// stretch of one measure's value records, whole runs of one dimension for an independent
// measure, any stretch for a weighted one. The first job of a measure opens its block and
// the last closes it, so the jobs' records in order are the section as a single pass would
// write it.

#include <memory>
#include <unordered_map>
#include <vector>

#include "designer/rtnReaderWriter/ModelNumbers.h"
#include "designer/rtnReaderWriter/ModelRecords.h"
#include "designer/rtnReaderWriter/RecordBuffer.h"
#include "designer/rtnReaderWriter/WrittenCategories.h"

namespace vantorell {

// What every job reads: the arrays, what the CAT section found, and the value records of
// each measure. Jobs made at the same time only read it; each changes only its own measure
// and value records.
struct SectionData {
    // Indexes the value records and irregularities: one pass over each array, so that the
    // jobs cost no more than their own records.
    SectionData(TArrMeasures& measures, TArrMeasureValues& values,
                const TArrIrregularities& irregularities, const WrittenCategories& categories,
                const TArrDimensions& dimensions, int debugMask);

    TArrMeasures& measures;
    TArrMeasureValues& values;
    const TArrIrregularities& irregularities;
    const WrittenCategories& categories;
    const TArrDimensions& dimensions;
    int debugMask;

    std::vector<std::vector<int>> recordsOf;  // value record indexes by measure, in array order
    // Where each run of one dimension ends in recordsOf[measure], the last at its size.
    std::vector<std::vector<int>> runEndsOf;
    std::unordered_map<long long, int> irregularityOf;  // (measure, dimension) -> first record

    bool validDimension(int d) const { return d >= 0 && d < static_cast<int>(dimensions.size()); }
    bool validCategory(int c) const { return c >= 0 && c < categories.count(); }
};

struct BlockJob {
    int measure = 0;
    int begin = 0;  // the job's records: recordsOf[measure][begin .. end)
    int end = 0;
    bool opens = false;       // writes the block's head
    bool closes = false;      // writes the block's end
    bool firstBlock = false;  // the section's first block: an independent one has no "IND"
};

// The jobs in file order: independent measures first, then weighted ones. A job holds about
// `recordsPerJob` records or more (a run of an independent measure is never cut).
std::vector<BlockJob> cutIntoJobs(const SectionData& data, int recordsPerJob);

// Makes jobs; holds the scratch space of one thread.
class BlockWriter {
public:
    explicit BlockWriter(SectionData& data);

    void write(const BlockJob& job, RecordBuffer& out);

private:
    using Span = WrittenCategories::Span;

    void writeIndependentHead(int m, bool firstBlock);
    void writeIrregularities(int m);
    const int* writeValueRun(int m, const int* begin, const int* end);
    void computeLeafValues(const Span& span);
    void writeWeightedHead(int m);
    void writeWeightedValues(int m, const int* begin, const int* end);

    void number(double value) { write(floatText(value), value); }
    void rounded(double value) { write(roundedText(value), value); }
    // The reader takes no infinite or undefined number: such a file would not open again.
    void write(const NumberText& text, double value);
    void integer(long long value) { out_->writeFormed(integerText(value).view()); }

    SectionData& data_;
    TArrMeasures& measures_;
    TArrMeasureValues& values_;
    const WrittenCategories& categories_;
    const TArrDimensions& dimensions_;
    RecordBuffer* out_ = nullptr;
    int current_ = 0;  // the measure being written

    // Shares of the categories in the current run, taken from the first record of each. A
    // category has a record in the run when its runOf_ holds the run's number, so nothing
    // needs clearing between runs.
    int run_ = 0;
    std::vector<int> runOf_;
    std::vector<int> sharePos_;
    std::vector<int> shareNeg_;
    std::vector<double> leafPos_;  // category -> its absolute value in the current run
    std::vector<double> leafNeg_;
    std::vector<double> levelPos_;  // running products along the path, by level
    std::vector<double> levelNeg_;
};

}  // namespace vantorell
