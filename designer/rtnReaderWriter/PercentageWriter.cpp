#include "designer/rtnReaderWriter/PercentageWriter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
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
                            const TArrCategories& categories, const TArrDimensions& dimensions,
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
    struct Span {
        int first = 0;
        int end = 0;
    };

    void indexRecords();
    void writeIndependent(int m, bool firstBlock);
    void writeIrregularities(int m);
    const int* writeValueRun(int m, const int* begin, const int* end);
    void computeLeafValues(const Span& span);
    void writeWeighted(int m);

    bool validDimension(int d) const { return d >= 0 && d < static_cast<int>(dimensions_.size()); }
    bool validCategory(int c) const { return c >= 0 && c < static_cast<int>(categories_.size()); }
    const int* recordsBegin(int m) const { return byMeasure_.data() + measureStart_[m]; }
    const int* recordsEnd(int m) const { return byMeasure_.data() + measureStart_[m + 1]; }
    std::string_view categoryId(int c) const {
        return {idTexts_.data() + idStart_[c], idStart_[c + 1] - idStart_[c]};
    }
    void number(double value) { write(floatText(value), value); }
    void rounded(double value) { write(roundedText(value), value); }
    // The reader takes no infinite or undefined number: such a file would not open again.
    void write(const NumberText& text, double value) {
        if (!std::isfinite(value) && out_.writing()) {
            throw ModelWriteError("The number " + text.str() + " of the measure \"" +
                                  measures_[current_].strName.str() +
                                  "\" cannot be saved in a model file.");
        }
        out_.nulWriteRecord(text.view());
    }
    void integer(long long value) { out_.nulWriteRecord(integerText(value).view()); }

    RecordWriter& out_;
    TArrMeasures& measures_;
    TArrMeasureValues& values_;
    const TArrIrregularities& irregularities_;
    const TArrCategories& categories_;
    const TArrDimensions& dimensions_;
    int debugMask_;
    int current_ = 0;  // the measure being written

    std::vector<int> byMeasure_;     // value record indexes grouped by measure, in array order
    std::vector<int> measureStart_;  // measure m owns byMeasure_[start[m] .. start[m + 1])
    std::vector<Span> spans_;        // categories of each dimension
    // Levels and parent flags in compact form: the walks below read them for every run,
    // and the category records themselves are too large to stay in the cache.
    std::vector<int> levels_;
    std::vector<char> parents_;
    // The categories' identifiers side by side, for the same reason: every value line
    // starts with one.
    std::string idTexts_;
    std::vector<std::size_t> idStart_;  // category c's identifier starts at idStart_[c]
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
    measureStart_.assign(measureCount + 2, 0);
    for (const TMeasureValueRecord& v : values_) {
        if (v.intMeasureIndex >= 0 && v.intMeasureIndex < measureCount) {
            ++measureStart_[v.intMeasureIndex + 2];
        }
    }
    for (int m = 0; m < measureCount; ++m) {
        measureStart_[m + 2] += measureStart_[m + 1];
    }
    byMeasure_.resize(measureStart_[measureCount + 1]);
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const int m = values_[i].intMeasureIndex;
        if (m >= 0 && m < measureCount) {
            byMeasure_[measureStart_[m + 1]++] = static_cast<int>(i);
        }
    }

    const int categoryCount = static_cast<int>(categories_.size());
    spans_.assign(dimensions_.size(), Span{});
    levels_.resize(categoryCount);
    parents_.assign(categoryCount, 0);
    for (int c = categoryCount - 1; c >= 0; --c) {
        const TCategoryRecord& category = categories_[c];
        const int d = category.intParentDimensionIndex;
        levels_[c] = std::max(1, category.bytLevelNumber);
        if (c + 1 < categoryCount && categories_[c + 1].intParentDimensionIndex == d &&
            categories_[c + 1].bytLevelNumber > category.bytLevelNumber) {
            parents_[c] = 1;
        }
        if (validDimension(d)) {
            if (spans_[d].end == 0) {
                spans_[d].end = c + 1;
            }
            spans_[d].first = c;
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

    idStart_.resize(categoryCount + 1);
    idTexts_.clear();
    for (int c = 0; c < categoryCount; ++c) {
        idStart_[c] = idTexts_.size();
        idTexts_ += categories_[c].strFileId.str();
    }
    idStart_[categoryCount] = idTexts_.size();

    runOf_.assign(categories_.size(), 0);
    sharePos_.resize(categories_.size());
    shareNeg_.resize(categories_.size());
    leafPos_.assign(categories_.size(), 0.0);
    leafNeg_.assign(categories_.size(), 0.0);
}

void PercentageSectionWriter::write() {
    indexRecords();
    out_.nulWriteRecord("PER");
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
    out_.nulWriteRecord("*");
}

void PercentageSectionWriter::writeIndependent(int m, bool firstBlock) {
    TMeasureRecord& measure = measures_[m];
    current_ = m;
    nulDebugMessage("Processing " + measure.strName, kDebugProgress, debugMask_);
    nulDebugMessage("Processing independent measure.", kDebugProgress, debugMask_);
    out_.nulWriteRecord(measure.strFileId.str());
    if (!firstBlock) {
        out_.nulWriteRecord("IND");
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
    out_.nulWriteRecord("*");
}

void PercentageSectionWriter::writeIrregularities(int m) {
    const TMeasureRecord& measure = measures_[m];
    out_.nulWriteRecord("-1");
    integer(measure.intIrregularityType);
    const auto dimensionCount = static_cast<long long>(dimensions_.size());
    for (int d = 0; d < static_cast<int>(dimensions_.size()); ++d) {
        // A dimension without a record is written with zeros, so the list stays readable.
        TIrregularityRecord record;
        const auto found = irregularityOf_.find(m * dimensionCount + d);
        if (found != irregularityOf_.end()) {
            record = irregularities_[found->second];
        }
        out_.nulWriteRecord(dimensions_[d].strFileId.str());
        rounded(record.dblStandardIrregularity * 100);
        if (measure.intIrregularityType >= 2) {
            integer(record.intIrregularityFamilyNumber);
            if (record.intIrregularityFamilyNumber > 0) {
                rounded(record.dblInterFamilyIrregularity * 100);
            }
        }
    }
    out_.nulWriteRecord("*");
}

// The absolute value of every category of the dimension: 1,000,000 x the product of the
// shares along its path, taken from the run's records. Walking the dimension in pre-order
// with one running product per level keeps this linear.
void PercentageSectionWriter::computeLeafValues(const Span& span) {
    for (int c = span.first; c < span.end; ++c) {
        const int level = levels_[c];
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
    const Span span = valid ? spans_[dimension] : Span{};
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
    out_.nulWriteRecord(dimensions_[dimension].strFileId.str());
    for (const int* i = begin; i != runEnd; ++i) {
        TMeasureValueRecord& value = values_[*i];
        const int c = value.intCategoryIndex;
        if (!inSpan(c)) {
            continue;
        }
        value.dblWorkPercentage = leafPos_[c];
        value.dblWorkNegPercentage = leafNeg_[c];
        if (parents_[c] != 0) {
            continue;
        }
        out_.nulWriteRecord(categoryId(c));
        number(leafPos_[c]);
        if (negativeColumn) {
            number(-leafNeg_[c]);
        }
    }
    out_.nulWriteRecord("*");
    return runEnd;
}

void PercentageSectionWriter::writeWeighted(int m) {
    TMeasureRecord& measure = measures_[m];
    current_ = m;
    nulDebugMessage("Processing " + measure.strName, kDebugProgress, debugMask_);
    nulDebugMessage("Processing weighted measure.", kDebugProgress, debugMask_);
    out_.nulWriteRecord(measure.strFileId.str());
    out_.nulWriteRecord("WEI");
    out_.nulWriteRecord("0");
    const int source = measure.intSourceMeasureIndex;
    out_.nulWriteRecord(source >= 0 && source < static_cast<int>(measures_.size())
                            ? measures_[source].strFileId.str()
                            : std::string());
    const int* begin = recordsBegin(m);
    const int* end = recordsEnd(m);
    if (begin != end) {
        measure.intFirstValueIndex = *begin;
    }
    const int dimension = measure.intWeightingDimensionIndex;
    out_.nulWriteRecord(validDimension(dimension) ? dimensions_[dimension].strFileId.str()
                                                  : std::string());
    for (const int* i = begin; i != end; ++i) {
        const TMeasureValueRecord& value = values_[*i];
        if (value.intDimensionIndex != dimension || !validCategory(value.intCategoryIndex)) {
            continue;
        }
        out_.nulWriteRecord(categoryId(value.intCategoryIndex));
        number(value.dblMinimumRatio);
        number(value.dblMaximumRatio);
        number(value.dblAverageRatio);
    }
    out_.nulWriteRecord("*");
}

}  // namespace

void writePercentagesSection(RecordWriter& out, TArrMeasures& measures, TArrMeasureValues& values,
                             const TArrIrregularities& irregularities,
                             const TArrCategories& categories, const TArrDimensions& dimensions,
                             int debugMask) {
    PercentageSectionWriter(out, measures, values, irregularities, categories, dimensions,
                            debugMask)
        .write();
}

}  // namespace vantorell
