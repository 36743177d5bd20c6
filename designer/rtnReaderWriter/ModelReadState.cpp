#include "designer/rtnReaderWriter/ModelReadState.h"

#include "common/ShortString.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/NumberReading.h"

namespace vantorell {
namespace {

constexpr std::size_t kQuotedRecordLimit = 80;

}  // namespace

ModelReadState::ModelReadState(RecordSource& source, TArrIrregularities& irregularities,
                               TArrMeasureValues& values, TArrMeasures& measures,
                               TArrCategories& categories, TArrDimensions& dimensions)
    : source(source),
      irregularities(irregularities),
      values(values),
      measures(measures),
      categories(categories),
      dimensions(dimensions) {}

void ModelReadState::fail(const std::string& what) {
    failOnLine(source.recordLine(), what);
}

void ModelReadState::failOnLine(int line, const std::string& what) {
    if (success) {
        failure = "Line " + std::to_string(line) + ": " + what;
    }
    success = false;
}

std::string quotedRecord(std::string_view record) {
    std::string quoted = cutUtf8(record, kQuotedRecordLimit);
    if (quoted.size() < record.size()) {
        quoted += "...";
    }
    return "\"" + quoted + "\"";
}

std::string_view ModelReadState::next() {
    if (!flgReadRecordViewSkipComments(source, record_)) {
        throw ModelFileTruncated();
    }
    return record_;
}

double ModelReadState::nextNumber() {
    next();
    return currentNumber();
}

std::int32_t ModelReadState::nextInteger() {
    next();
    return currentInteger();
}

double ModelReadState::currentNumber() const {
    double value = 0.0;
    if (!flgParseDouble(record_, value)) {
        notANumber();
    }
    return value;
}

std::int32_t ModelReadState::currentInteger() const {
    std::int32_t value = 0;
    if (!flgParseInteger(record_, value)) {
        notANumber();
    }
    return value;
}

void ModelReadState::notANumber() const {
    throw ModelFileError("The record " + quotedRecord(record_) + " on line " +
                         std::to_string(source.recordLine()) + " of the model file \"" +
                         source.fileName() + "\" is not a valid number.");
}

template <typename Records>
std::int32_t ModelReadState::lookup(IdIndex& index, std::size_t& indexedCount,
                                    const Records& records, std::string_view fileId) {
    if (indexedCount != records.size()) {
        index.clear();
        for (std::size_t i = 0; i < records.size(); ++i) {
            index.emplace(records[i].strFileId.str(), static_cast<std::int32_t>(i));  // first wins
        }
        indexedCount = records.size();
    }
    const auto found = index.find(std::string(fileId));
    return found == index.end() ? -1 : found->second;
}

std::int32_t ModelReadState::measureIndex(std::string_view fileId) {
    return lookup(measureIds_, measuresIndexed_, measures, fileId);
}

std::int32_t ModelReadState::dimensionIndex(std::string_view fileId) {
    return lookup(dimensionIds_, dimensionsIndexed_, dimensions, fileId);
}

}  // namespace vantorell
