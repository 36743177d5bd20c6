#pragma once
// State of one model file read, shared by the section readers and the percentage reader:
// the record source, the five arrays, the debug mask and the success flag, with the
// record and number reads every section uses.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "designer/rtnReaderWriter/ModelRecords.h"
#include "designer/rtnReaderWriter/RecordReader.h"

namespace vantorell {

// The file ended where the grammar needs another record; the read fails.
class ModelFileTruncated : public std::runtime_error {
public:
    ModelFileTruncated() : std::runtime_error("the model file ends inside a section") {}
};

// A record in double quotes for a message, a long one cut: the message only has to let the
// user find it.
std::string quotedRecord(std::string_view record);

class ModelReadState {
public:
    ModelReadState(RecordSource& source, TArrIrregularities& irregularities,
                   TArrMeasureValues& values, TArrMeasures& measures, TArrCategories& categories,
                   TArrDimensions& dimensions);

    RecordSource& source;
    TArrIrregularities& irregularities;
    TArrMeasureValues& values;
    TArrMeasures& measures;
    TArrCategories& categories;
    TArrDimensions& dimensions;

    // False once the file was found at fault (an identifier it refers to was not found,
    // one it gives twice, a category too deep); `failure` then says where and why.
    bool success = true;
    std::string failure;
    // Fails the read; the first reason given is the one kept. `what` is said of the record
    // read last, whose line leads the reason.
    void fail(const std::string& what);
    // The same for a record read earlier, on `line`.
    void failOnLine(int line, const std::string& what);

    // Lines of the identifiers of the measures, dimensions and categories read so far: a
    // second record with the same identifier fails the read.
    std::unordered_map<std::string, int> measureIdLines;
    std::unordered_map<std::string, int> dimensionIdLines;
    std::vector<int> categoryIdLines;  // by category index
    // A PER section was read: the arrays its blocks were sized from may grow no more.
    bool percentagesRead = false;

    // Leaves read so far in the file (intLeafBase of the next dimension).
    std::int32_t leavesRead = 0;
    // Dimensions whose categories a CAT section gave already.
    std::vector<bool> dimensionsWithCategories;
    // No two categories share an identifier (set with the sort).
    bool categoryIdsUnique = true;

    // Percentage sections: per measure the block of value records reserved for it last
    // (first = -1: none), and which reserved records carry a category; per measure the
    // first of its irregularity records (-1: none).
    struct ValueBlock {
        std::int32_t first = -1;
        std::int32_t end = -1;
    };
    std::vector<ValueBlock> valueBlocks;
    std::vector<bool> valueSlotsUsed;
    std::vector<std::int32_t> irregularityBases;

    int debugMask() const { return source.debugMask(); }
    bool debugOn(int bit) const { return (bit & source.debugMask()) != 0; }

    // The next record, comments skipped; valid up to the next read. Raises
    // ModelFileTruncated at the end of the file.
    std::string_view next();
    // The next record as a number or an Integer; ModelFileError when it does not convert.
    double nextNumber();
    std::int32_t nextInteger();
    // The record read last, as a number (for a record read before its meaning was known).
    double currentNumber() const;
    std::int32_t currentInteger() const;

    // Index of the first measure or dimension with this identifier, -1 when none. The
    // lookups are built afresh when the array has grown since the last one.
    std::int32_t measureIndex(std::string_view fileId);
    std::int32_t dimensionIndex(std::string_view fileId);

private:
    using IdIndex = std::unordered_map<std::string, std::int32_t>;
    template <typename Records>
    static std::int32_t lookup(IdIndex& index, std::size_t& indexedCount, const Records& records,
                               std::string_view fileId);
    [[noreturn]] void notANumber() const;

    std::string_view record_;
    IdIndex measureIds_;
    std::size_t measuresIndexed_ = 0;
    IdIndex dimensionIds_;
    std::size_t dimensionsIndexed_ = 0;
};

}  // namespace vantorell
