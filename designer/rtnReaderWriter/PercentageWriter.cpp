#include "designer/rtnReaderWriter/PercentageWriter.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/ModelNumbers.h"

namespace vantorell {
namespace {

constexpr int kDebugProgress = 4;
constexpr double kFull = kFullPercentage;

class PercentageSectionWriter {
public:
    PercentageSectionWriter(RecordWriter& out, TArrMeasures& measures, TArrMeasureValues& values,
                            const TArrIrregularities& irregularities,
                            const WrittenCategories& categories, const TArrDimensions& dimensions,
                            int debugMask)
        : out_(out),
          measures_(measures),
          values_(values),
          irregularities_(irregularities),
          categories_(categories),
          dimensions_(dimensions),
          debugMask_(debugMask) {}

    void write();

private:
    using Span = WrittenCategories::Span;

    void indexRecords();
    void writeIndependent(int m, bool firstBlock);
    void writeIrregularities(int m);
    const int* writeValueRun(int m, const int* begin, const int* end);
    void computeLeafValues(const Span& span);
    void writeWeighted(int m);

    bool validDimension(int d) const { return d >= 0 && d < static_cast<int>(dimensions_.size()); }
    bool validCategory(int c) const { return c >= 0 && c < categories_.count(); }
    const int* recordsBegin(int m) const { return recordsOf_[m].data(); }
    const int* recordsEnd(int m) const { return recordsOf_[m].data() + recordsOf_[m].size(); }
    void number(double value) { write(floatText(value), value); }
    void rounded(double value) { write(roundedText(value), value); }
    // The reader takes no infinite or undefined number: such a file would not open again.
    void write(const NumberText& text, double value) {
        if (!std::isfinite(value) && out_.writing()) {
            throw ModelWriteError("The number " + text.str() + " of the measure \"" +
                                  measures_[current_].strName.str() +
                                  "\" cannot be saved in a model file.");
        }
        out_.writeFormed(text.view());
    }
    void integer(long long value) { out_.writeFormed(integerText(value).view()); }

    RecordWriter& out_;
    TArrMeasures& measures_;
    TArrMeasureValues& values_;
    const TArrIrregularities& irregularities_;
    const WrittenCategories& categories_;
    const TArrDimensions& dimensions_;
    int debugMask_;
    int current_ = 0;  // the measure being written

    std::vector<std::vector<int>> recordsOf_;  // value record indexes by measure, in array order
    std::unordered_map<long long, int> irregularityOf_;  // (measure, dimension) -> first record
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
void PercentageSectionWriter::indexRecords() {
    const int measureCount = static_cast<int>(measures_.size());
    recordsOf_.assign(measureCount, {});
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const int m = values_[i].intMeasureIndex;
        if (m >= 0 && m < measureCount) {
            recordsOf_[m].push_back(static_cast<int>(i));
        }
    }

    const auto dimensionCount = static_cast<long long>(dimensions_.size());
    for (std::size_t i = 0; i < irregularities_.size(); ++i) {
        const TIrregularityRecord& r = irregularities_[i];
        if (r.intMeasureIndex >= 0 && r.intMeasureIndex < measureCount &&
            validDimension(r.intDimensionIndex)) {
            irregularityOf_.emplace(r.intMeasureIndex * dimensionCount + r.intDimensionIndex,
                                    static_cast<int>(i));
        }
    }

    const auto categoryCount = static_cast<std::size_t>(categories_.count());
    runOf_.assign(categoryCount, 0);
    sharePos_.resize(categoryCount);
    shareNeg_.resize(categoryCount);
    leafPos_.assign(categoryCount, 0.0);
    leafNeg_.assign(categoryCount, 0.0);
}

void PercentageSectionWriter::write() {
    indexRecords();
    out_.writeFormed("PER");
    bool firstBlock = true;
    for (int m = 0; m < static_cast<int>(measures_.size()); ++m) {
        if (measures_[m].chrType != 'W') {
            writeIndependent(m, firstBlock);
            firstBlock = false;
        }
    }
    for (int m = 0; m < static_cast<int>(measures_.size()); ++m) {
        if (measures_[m].chrType == 'W') {
            writeWeighted(m);
        }
    }
    out_.writeFormed("*");
}

void PercentageSectionWriter::writeIndependent(int m, bool firstBlock) {
    TMeasureRecord& measure = measures_[m];
    current_ = m;
    nulDebugMessage("Processing " + measure.strName, kDebugProgress, debugMask_);
    nulDebugMessage("Processing independent measure.", kDebugProgress, debugMask_);
    out_.writeFormed(measure.strFileId.str());
    if (!firstBlock) {
        out_.writeFormed("IND");
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
    out_.writeFormed("*");
}

void PercentageSectionWriter::writeIrregularities(int m) {
    const TMeasureRecord& measure = measures_[m];
    out_.writeFormed("-1");
    integer(measure.intIrregularityType);
    const auto dimensionCount = static_cast<long long>(dimensions_.size());
    for (int d = 0; d < static_cast<int>(dimensions_.size()); ++d) {
        // A dimension without a record is written with zeros, so the list stays readable.
        TIrregularityRecord record;
        const auto found = irregularityOf_.find(m * dimensionCount + d);
        if (found != irregularityOf_.end()) {
            record = irregularities_[found->second];
        }
        out_.writeFormed(dimensions_[d].strFileId.str());
        rounded(record.dblStandardIrregularity * 100);
        if (measure.intIrregularityType >= 2) {
            integer(record.intIrregularityFamilyNumber);
            if (record.intIrregularityFamilyNumber > 0) {
                rounded(record.dblInterFamilyIrregularity * 100);
            }
        }
    }
    out_.writeFormed("*");
}

// The absolute value of every category of the dimension: 1,000,000 x the product of the
// shares along its path, taken from the run's records. Walking the dimension in pre-order
// with one running product per level keeps this linear.
void PercentageSectionWriter::computeLeafValues(const Span& span) {
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
const int* PercentageSectionWriter::writeValueRun(int m, const int* begin, const int* end) {
    const int dimension = values_[*begin].intDimensionIndex;
    const bool valid = validDimension(dimension);
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
    out_.writeFormed(dimensions_[dimension].strFileId.str());
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
        out_.writeFormed(categories_.id(c));
        number(leafPos_[c]);
        if (negativeColumn) {
            number(-leafNeg_[c]);
        }
    }
    out_.writeFormed("*");
    return runEnd;
}

void PercentageSectionWriter::writeWeighted(int m) {
    TMeasureRecord& measure = measures_[m];
    current_ = m;
    nulDebugMessage("Processing " + measure.strName, kDebugProgress, debugMask_);
    nulDebugMessage("Processing weighted measure.", kDebugProgress, debugMask_);
    out_.writeFormed(measure.strFileId.str());
    out_.writeFormed("WEI");
    out_.writeFormed("0");
    const int source = measure.intSourceMeasureIndex;
    out_.writeFormed(source >= 0 && source < static_cast<int>(measures_.size())
                         ? measures_[source].strFileId.str()
                         : std::string());
    const int* begin = recordsBegin(m);
    const int* end = recordsEnd(m);
    if (begin != end) {
        measure.intFirstValueIndex = *begin;
    }
    const int dimension = measure.intWeightingDimensionIndex;
    out_.writeFormed(validDimension(dimension) ? dimensions_[dimension].strFileId.str()
                                               : std::string());
    for (const int* i = begin; i != end; ++i) {
        const TMeasureValueRecord& value = values_[*i];
        if (value.intDimensionIndex != dimension || !validCategory(value.intCategoryIndex)) {
            continue;
        }
        out_.writeFormed(categories_.id(value.intCategoryIndex));
        number(value.dblMinimumRatio);
        number(value.dblMaximumRatio);
        number(value.dblAverageRatio);
    }
    out_.writeFormed("*");
}

}  // namespace

void writePercentagesSection(RecordWriter& out, TArrMeasures& measures, TArrMeasureValues& values,
                             const TArrIrregularities& irregularities,
                             const WrittenCategories& categories, const TArrDimensions& dimensions,
                             int debugMask) {
    PercentageSectionWriter(out, measures, values, irregularities, categories, dimensions,
                            debugMask)
        .write();
}

}  // namespace vantorell
