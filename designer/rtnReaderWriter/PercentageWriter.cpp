#include "designer/rtnReaderWriter/PercentageWriter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>
#include <string>
#include <unordered_map>
#include <vector>

#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/ModelNumbers.h"
#include "designer/rtnReaderWriter/OrderedJobs.h"
#include "designer/rtnReaderWriter/RecordBuffer.h"

namespace vantorell {
namespace {

constexpr int kDebugProgress = 4;
constexpr double kFull = kFullPercentage;

// What every block reads: the arrays, what the CAT section found, and the records of each
// measure. Blocks made at the same time only read it; each changes only its own measure and
// value records.
struct SectionData {
    TArrMeasures& measures;
    TArrMeasureValues& values;
    const TArrIrregularities& irregularities;
    const WrittenCategories& categories;
    const TArrDimensions& dimensions;
    int debugMask;

    std::vector<std::vector<int>> recordsOf;  // value record indexes by measure, in array order
    std::unordered_map<long long, int> irregularityOf;  // (measure, dimension) -> first record

    void indexRecords();
    bool validDimension(int d) const { return d >= 0 && d < static_cast<int>(dimensions.size()); }
    bool validCategory(int c) const { return c >= 0 && c < categories.count(); }
};

// One measure's block, and the block's scratch space; one per thread.
class BlockWriter {
public:
    explicit BlockWriter(SectionData& data);

    // Makes the block of measure `m` into `out`; `firstBlock`: the first block of the
    // section, which for an independent measure goes without "IND".
    void write(int m, bool firstBlock, RecordBuffer& out);

private:
    using Span = WrittenCategories::Span;

    void writeIndependent(int m, bool firstBlock);
    void writeIrregularities(int m);
    const int* writeValueRun(int m, const int* begin, const int* end);
    void computeLeafValues(const Span& span);
    void writeWeighted(int m);

    const int* recordsBegin(int m) const { return data_.recordsOf[m].data(); }
    const int* recordsEnd(int m) const {
        return data_.recordsOf[m].data() + data_.recordsOf[m].size();
    }
    void number(double value) { write(floatText(value), value); }
    void rounded(double value) { write(roundedText(value), value); }
    // The reader takes no infinite or undefined number: such a file would not open again.
    void write(const NumberText& text, double value) {
        if (!std::isfinite(value) && out_->writing()) {
            throw ModelWriteError("The number " + text.str() + " of the measure \"" +
                                  data_.measures[current_].strName.str() +
                                  "\" cannot be saved in a model file.");
        }
        out_->writeFormed(text.view());
    }
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

// One pass over each array, so that the blocks below cost no more than their own records.
void SectionData::indexRecords() {
    const int measureCount = static_cast<int>(measures.size());
    recordsOf.assign(measureCount, {});
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int m = values[i].intMeasureIndex;
        if (m >= 0 && m < measureCount) {
            recordsOf[m].push_back(static_cast<int>(i));
        }
    }

    const auto dimensionCount = static_cast<long long>(dimensions.size());
    for (std::size_t i = 0; i < irregularities.size(); ++i) {
        const TIrregularityRecord& r = irregularities[i];
        if (r.intMeasureIndex >= 0 && r.intMeasureIndex < measureCount &&
            validDimension(r.intDimensionIndex)) {
            irregularityOf.emplace(r.intMeasureIndex * dimensionCount + r.intDimensionIndex,
                                   static_cast<int>(i));
        }
    }
}

BlockWriter::BlockWriter(SectionData& data)
    : data_(data),
      measures_(data.measures),
      values_(data.values),
      categories_(data.categories),
      dimensions_(data.dimensions) {
    const auto categoryCount = static_cast<std::size_t>(categories_.count());
    runOf_.assign(categoryCount, 0);
    sharePos_.resize(categoryCount);
    shareNeg_.resize(categoryCount);
    leafPos_.assign(categoryCount, 0.0);
    leafNeg_.assign(categoryCount, 0.0);
}

void BlockWriter::write(int m, bool firstBlock, RecordBuffer& out) {
    out_ = &out;
    if (measures_[m].chrType == 'W') {
        writeWeighted(m);
    } else {
        writeIndependent(m, firstBlock);
    }
}

void BlockWriter::writeIndependent(int m, bool firstBlock) {
    TMeasureRecord& measure = measures_[m];
    current_ = m;
    nulDebugMessage("Processing " + measure.strName, kDebugProgress, data_.debugMask);
    nulDebugMessage("Processing independent measure.", kDebugProgress, data_.debugMask);
    out_->writeFormed(measure.strFileId.str());
    if (!firstBlock) {
        out_->writeFormed("IND");
    }
    if (measure.dblNegTotal > 0) {
        number(-measure.dblNegTotal);
    }
    number(measure.dblPosTotal);
    if (measure.intIrregularityType == 0) {
        integer(measure.intGlobalPercent);
    } else {
        writeIrregularities(m);
    }

    const int* begin = recordsBegin(m);
    const int* end = recordsEnd(m);
    if (begin != end) {
        measure.intFirstValueIndex = *begin;
    }
    while (begin != end) {
        begin = writeValueRun(m, begin, end);
    }
    out_->writeFormed("*");
}

void BlockWriter::writeIrregularities(int m) {
    const TMeasureRecord& measure = measures_[m];
    out_->writeFormed("-1");
    integer(measure.intIrregularityType);
    const auto dimensionCount = static_cast<long long>(dimensions_.size());
    for (int d = 0; d < static_cast<int>(dimensions_.size()); ++d) {
        // A dimension without a record is written with zeros, so the list stays readable.
        TIrregularityRecord record;
        const auto found = data_.irregularityOf.find(m * dimensionCount + d);
        if (found != data_.irregularityOf.end()) {
            record = data_.irregularities[found->second];
        }
        out_->writeFormed(dimensions_[d].strFileId.str());
        rounded(record.dblStandardIrregularity * 100);
        if (measure.intIrregularityType >= 2) {
            integer(record.intIrregularityFamilyNumber);
            if (record.intIrregularityFamilyNumber > 0) {
                rounded(record.dblInterFamilyIrregularity * 100);
            }
        }
    }
    out_->writeFormed("*");
}

// The absolute value of every category of the dimension: 1,000,000 x the product of the
// shares along its path, taken from the run's records. Walking the dimension in pre-order
// with one running product per level keeps this linear.
void BlockWriter::computeLeafValues(const Span& span) {
    for (int c = span.first; c < span.end; ++c) {
        const int level = categories_.levels[c];
        if (static_cast<int>(levelPos_.size()) <= level) {
            levelPos_.resize(level + 1, kFull);
            levelNeg_.resize(level + 1, kFull);
        }
        const double parentPos = level > 1 ? levelPos_[level - 1] : kFull;
        const double parentNeg = level > 1 ? levelNeg_[level - 1] : kFull;
        // A category without a record in the run passes its parent's value on unchanged.
        const bool inRun = runOf_[c] == run_;
        const double sharePos = inRun ? sharePos_[c] : kFull;
        const double shareNeg = inRun ? shareNeg_[c] : kFull;
        levelPos_[level] = parentPos * sharePos / kFull;
        levelNeg_[level] = parentNeg * shareNeg / kFull;
        leafPos_[c] = levelPos_[level];
        leafNeg_[c] = levelNeg_[level];
    }
}

// One run: the measure's records of one dimension, up to the next record of another
// dimension. Returns where the run ends. The records are read twice: once for the shares,
// once to write the values, which need the shares of the whole tree.
const int* BlockWriter::writeValueRun(int m, const int* begin, const int* end) {
    const int dimension = values_[*begin].intDimensionIndex;
    const bool valid = data_.validDimension(dimension);
    const Span span = valid ? categories_.spans[dimension] : Span{};
    const auto inSpan = [&](int c) { return c >= span.first && c < span.end; };

    ++run_;
    const int* runEnd = begin;
    for (; runEnd != end && values_[*runEnd].intDimensionIndex == dimension; ++runEnd) {
        const TMeasureValueRecord& value = values_[*runEnd];
        const int c = value.intCategoryIndex;
        if (inSpan(c) && runOf_[c] != run_) {
            runOf_[c] = run_;
            sharePos_[c] = value.intPercentage;
            shareNeg_[c] = value.intNegPercentage;
        }
    }
    if (!valid) {
        return runEnd;
    }
    computeLeafValues(span);

    // The negative side is written as negative numbers, in a column of its own whenever the
    // measure has a negative total.
    const bool negativeColumn = measures_[m].dblNegTotal > 0;
    out_->writeFormed(dimensions_[dimension].strFileId.str());
    for (const int* i = begin; i != runEnd; ++i) {
        TMeasureValueRecord& value = values_[*i];
        const int c = value.intCategoryIndex;
        if (!inSpan(c)) {
            continue;
        }
        value.dblWorkPercentage = leafPos_[c];
        value.dblWorkNegPercentage = leafNeg_[c];
        if (categories_.parents[c] != 0) {
            continue;
        }
        out_->writeFormed(categories_.id(c));
        number(leafPos_[c]);
        if (negativeColumn) {
            number(-leafNeg_[c]);
        }
    }
    out_->writeFormed("*");
    return runEnd;
}

void BlockWriter::writeWeighted(int m) {
    TMeasureRecord& measure = measures_[m];
    current_ = m;
    nulDebugMessage("Processing " + measure.strName, kDebugProgress, data_.debugMask);
    nulDebugMessage("Processing weighted measure.", kDebugProgress, data_.debugMask);
    out_->writeFormed(measure.strFileId.str());
    out_->writeFormed("WEI");
    out_->writeFormed("0");
    const int source = measure.intSourceMeasureIndex;
    out_->writeFormed(source >= 0 && source < static_cast<int>(measures_.size())
                         ? measures_[source].strFileId.str()
                         : std::string());
    const int* begin = recordsBegin(m);
    const int* end = recordsEnd(m);
    if (begin != end) {
        measure.intFirstValueIndex = *begin;
    }
    const int dimension = measure.intWeightingDimensionIndex;
    out_->writeFormed(data_.validDimension(dimension) ? dimensions_[dimension].strFileId.str()
                                               : std::string());
    for (const int* i = begin; i != end; ++i) {
        const TMeasureValueRecord& value = values_[*i];
        if (value.intDimensionIndex != dimension || !data_.validCategory(value.intCategoryIndex)) {
            continue;
        }
        out_->writeFormed(categories_.id(value.intCategoryIndex));
        number(value.dblMinimumRatio);
        number(value.dblMaximumRatio);
        number(value.dblAverageRatio);
    }
    out_->writeFormed("*");
}

// Threads that make blocks side by side: none for a small model, where starting them costs
// more than they save, and none when each block announces itself in a message box, which
// only the calling thread may show.
int threadsForBlocks(long long valueRecords, int blocks, int debugMask) {
    constexpr long long kValueRecordsForThreads = 20000;
    if ((debugMask & kDebugProgress) != 0 || valueRecords < kValueRecordsForThreads ||
        blocks < 2) {
        return 0;
    }
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(processors - 1, 0, blocks);
}

}  // namespace

void writePercentagesSection(RecordWriter& out, TArrMeasures& measures, TArrMeasureValues& values,
                             const TArrIrregularities& irregularities,
                             const WrittenCategories& categories, const TArrDimensions& dimensions,
                             int debugMask) {
    SectionData data{measures, values, irregularities, categories, dimensions, debugMask, {}, {}};
    data.indexRecords();

    // The blocks in file order: independent measures first, then weighted ones.
    std::vector<int> blocks;
    for (int m = 0; m < static_cast<int>(measures.size()); ++m) {
        if (measures[m].chrType != 'W') {
            blocks.push_back(m);
        }
    }
    for (int m = 0; m < static_cast<int>(measures.size()); ++m) {
        if (measures[m].chrType == 'W') {
            blocks.push_back(m);
        }
    }

    const int threads = threadsForBlocks(static_cast<long long>(values.size()),
                                         static_cast<int>(blocks.size()), debugMask);
    const int lookAhead = std::max(1, 2 * threads);
    std::vector<RecordBuffer> buffers;
    buffers.reserve(static_cast<std::size_t>(lookAhead));
    for (int b = 0; b < lookAhead; ++b) {
        buffers.emplace_back(out.writing(), out.writingPlainLines());
    }
    std::vector<std::unique_ptr<BlockWriter>> writers;
    for (int w = 0; w < std::max(threads, 1); ++w) {
        writers.push_back(std::make_unique<BlockWriter>(data));
    }

    out.writeFormed("PER");
    // A block is made only once the block lookAhead places before it has been written, so
    // the two never share a buffer.
    OrderedJobs::run(
        static_cast<int>(blocks.size()), threads, lookAhead,
        [&](int job, int worker) {
            RecordBuffer& buffer = buffers[static_cast<std::size_t>(job % lookAhead)];
            buffer.clear();
            writers[static_cast<std::size_t>(worker)]->write(blocks[job], job == 0, buffer);
        },
        [&](int job) { out.writeBlock(buffers[static_cast<std::size_t>(job % lookAhead)]); });
    out.writeFormed("*");
}

}  // namespace vantorell
