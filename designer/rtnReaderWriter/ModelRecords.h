#pragma once
// The five model arrays: the exchange form between model files, conversions and editors.
// Records refer to one another by array index; model files refer by identifier text.

#include <cstdint>
#include <vector>

#include "common/ShortString.h"

namespace vantorell {

using Str80 = ShortString<80>;
using Str25 = ShortString<25>;

// 1,000,000 = 100 %; sibling shares add up to this.
constexpr std::int32_t kFullPercentage = 1'000'000;

// The deepest level a category may lie at: the reader refuses a deeper one and the writer
// does not write it, so every model saved opens again; the editors build no deeper tree.
constexpr std::int32_t kDeepestCategoryLevel = 128;

struct TDimensionRecord {
    Str80 strName;
    Str25 strCode;
    Str25 strFileId;  // "D<d>"
    std::int32_t intLeafLastIndex = 0;
    std::int32_t intCategoryCount = 0;
    std::int32_t intFirstCategoryIndex = 0;
    std::int32_t intLeafCount = 0;
    std::int32_t intLeafBase = 0;
};

struct TCategoryRecord {
    Str80 strName;
    Str25 strCode;
    std::int32_t bytLevelNumber = 0;  // depth in the tree, 1 = top level
    std::int32_t intParentDimensionIndex = 0;
    std::int32_t intNextLeafIndex = 0;
    std::int32_t intLeafNumber = 0;  // leaves 0, 1, 2 ...; parents -1, -2, -3 ...
    std::int32_t intSortedIndex = 0;
    std::int32_t intSortScratch = 0;
    double dblWorkPosValue = 0.0;
    double dblWorkNegValue = 0.0;
    Str25 strFileId;  // "C<d>D<n>" for leaves, "H<d>D<n>" for parents
};

struct TMeasureRecord {
    Str80 strName;
    Str25 strCode;
    char chrType = 'I';  // 'I' independent, 'W' weighted
    double dblPosTotal = 0.0;
    double dblNegTotal = 0.0;  // held as a non-negative number; 0 = none
    std::int32_t intIrregularityType = 0;
    std::int32_t intGlobalPercent = 0;
    std::int32_t intSourceMeasureIndex = 0;
    std::int32_t intWeightingDimensionIndex = 0;
    Str25 strFileId;  // "M<m>"
    std::int32_t intFirstValueIndex = 0;
};

struct TMeasureValueRecord {
    std::int32_t intMeasureIndex = 0;
    std::int32_t intDimensionIndex = 0;
    std::int32_t intCategoryIndex = 0;
    std::int32_t intPercentage = 0;
    std::int32_t intNegPercentage = 0;
    double dblWorkPercentage = 0.0;
    double dblWorkNegPercentage = 0.0;
    double dblMinimumRatio = 0.0;
    double dblMaximumRatio = 0.0;
    double dblAverageRatio = 0.0;
};

struct TIrregularityRecord {
    std::int32_t intMeasureIndex = 0;
    std::int32_t intDimensionIndex = 0;
    double dblStandardIrregularity = 0.0;          // a fraction; the file holds it x100
    double dblInterFamilyIrregularity = 0.0;       // a fraction; the file holds it x100
    std::int32_t intIrregularityFamilyNumber = 0;  // 0 = no family
};

using TArrDimensions = std::vector<TDimensionRecord>;
using TArrCategories = std::vector<TCategoryRecord>;
using TArrMeasures = std::vector<TMeasureRecord>;
using TArrMeasureValues = std::vector<TMeasureValueRecord>;
using TArrIrregularities = std::vector<TIrregularityRecord>;

// Small arrays of the list and cube conversions.
using TArrIntegers = std::vector<std::int32_t>;
using TArrString = std::vector<std::string>;
using TArrBoolean = std::vector<bool>;
using TMatrixIntegers = std::vector<TArrIntegers>;
using TMatrixDouble = std::vector<std::vector<double>>;

// One model: the five arrays travel together wherever a set is owned.
struct ModelArrays {
    TArrDimensions dimensions;
    TArrCategories categories;
    TArrMeasures measures;
    TArrMeasureValues values;
    TArrIrregularities irregularities;

    void clear() {
        dimensions.clear();
        categories.clear();
        measures.clear();
        values.clear();
        irregularities.clear();
    }
};

}  // namespace vantorell
