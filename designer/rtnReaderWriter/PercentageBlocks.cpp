#include "designer/rtnReaderWriter/PercentageBlocks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/RecordWriter.h"

namespace vantorell {
namespace {

constexpr double kFull = kFullPercentage;

}  // namespace

SectionData::SectionData(TArrMeasures& measures, TArrMeasureValues& values,
                         const TArrIrregularities& irregularities,
                         const WrittenCategories& categories, const TArrDimensions& dimensions,
                         int debugMask)
    : measures(measures),
      values(values),
      irregularities(irregularities),
      categories(categories),
      dimensions(dimensions),
      debugMask(debugMask) {
    const int measureCount = static_cast<int>(measures.size());
    recordsOf.assign(measureCount, {});
    runEndsOf.assign(measureCount, {});
    std::vector<int> lastDimension(static_cast<std::size_t>(measureCount));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const TMeasureValueRecord& value = values[i];
        const int m = value.intMeasureIndex;
        if (m < 0 || m >= measureCount) {
            continue;
        }
        std::vector<int>& records = recordsOf[m];
        if (!records.empty() && value.intDimensionIndex != lastDimension[m]) {
            runEndsOf[m].push_back(static_cast<int>(records.size()));
        }
        lastDimension[m] = value.intDimensionIndex;
        records.push_back(static_cast<int>(i));
    }
    for (int m = 0; m < measureCount; ++m) {
        if (!recordsOf[m].empty()) {
            runEndsOf[m].push_back(static_cast<int>(recordsOf[m].size()));
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

std::vector<BlockJob> cutIntoJobs(const SectionData& data, int recordsPerJob) {
    std::vector<BlockJob> jobs;
    const auto add = [&](int m, int begin, int end, bool opens, bool closes) {
        BlockJob job;
        job.measure = m;
        job.begin = begin;
        job.end = end;
        job.opens = opens;
        job.closes = closes;
        jobs.push_back(job);
    };
    const int measureCount = static_cast<int>(data.measures.size());
    for (int m = 0; m < measureCount; ++m) {
        if (data.measures[m].chrType == 'W') {
            continue;
        }
        // Whole runs: a run's values need the shares of all its records.
        const int count = static_cast<int>(data.recordsOf[m].size());
        int begin = 0;
        for (const int end : data.runEndsOf[m]) {
            if (end - begin >= recordsPerJob || end == count) {
                add(m, begin, end, begin == 0, end == count);
                begin = end;
            }
        }
        if (count == 0) {
            add(m, 0, 0, true, true);
        }
    }
    for (int m = 0; m < measureCount; ++m) {
        if (data.measures[m].chrType != 'W') {
            continue;
        }
        const int count = static_cast<int>(data.recordsOf[m].size());
        int begin = 0;
        do {
            const int end = std::min(count, begin + recordsPerJob);
            add(m, begin, end, begin == 0, end == count);
            begin = end;
        } while (begin < count);
    }
    for (BlockJob& job : jobs) {
        job.firstBlock = job.measure == jobs.front().measure;
    }
    return jobs;
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

void BlockWriter::write(const BlockJob& job, RecordBuffer& out) {
    out_ = &out;
    const int m = job.measure;
    current_ = m;
    const int* const records = data_.recordsOf[m].data();
    const int* begin = records + job.begin;
    const int* const end = records + job.end;
    if (measures_[m].chrType == 'W') {
        if (job.opens) {
            writeWeightedHead(m);
        }
        writeWeightedValues(m, begin, end);
    } else {
        if (job.opens) {
            writeIndependentHead(m, job.firstBlock);
        }
        while (begin != end) {
            begin = writeValueRun(m, begin, end);
        }
    }
    if (job.closes) {
        out_->writeFormed("*");
    }
}

void BlockWriter::write(const NumberText& text, double value) {
    if (!std::isfinite(value) && out_->writing()) {
        throw ModelWriteError("The number " + text.str() + " of the measure \"" +
                              measures_[current_].strName.str() +
                              "\" cannot be saved in a model file.");
    }
    out_->writeFormed(text.view());
}

void BlockWriter::writeIndependentHead(int m, bool firstBlock) {
    TMeasureRecord& measure = measures_[m];
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
    if (!data_.recordsOf[m].empty()) {
        measure.intFirstValueIndex = data_.recordsOf[m].front();
    }
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

void BlockWriter::writeWeightedHead(int m) {
    TMeasureRecord& measure = measures_[m];
    nulDebugMessage("Processing " + measure.strName, kDebugProgress, data_.debugMask);
    nulDebugMessage("Processing weighted measure.", kDebugProgress, data_.debugMask);
    out_->writeFormed(measure.strFileId.str());
    out_->writeFormed("WEI");
    out_->writeFormed("0");
    const int source = measure.intSourceMeasureIndex;
    out_->writeFormed(source >= 0 && source < static_cast<int>(measures_.size())
                          ? measures_[source].strFileId.str()
                          : std::string());
    if (!data_.recordsOf[m].empty()) {
        measure.intFirstValueIndex = data_.recordsOf[m].front();
    }
    const int dimension = measure.intWeightingDimensionIndex;
    out_->writeFormed(data_.validDimension(dimension) ? dimensions_[dimension].strFileId.str()
                                                      : std::string());
}

void BlockWriter::writeWeightedValues(int m, const int* begin, const int* end) {
    const int dimension = measures_[m].intWeightingDimensionIndex;
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
}

}  // namespace vantorell
