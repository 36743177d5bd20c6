#pragma once
// Turns the absolute values of one dimension's categories, as an independent measure block
// gives them for the leaves, into sibling shares in exact millionths: every parent takes
// the sum of its subtree, and every sibling group is scaled to 1,000,000 and rounded with a
// carried error, so that the shares of a group add up to exactly 1,000,000.

#include <cstdint>
#include <vector>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

// Value record of a category within an independent measure's block, which lists per
// dimension its leaves (by intLeafNumber) and then its parents (by -intLeafNumber).
inline std::int64_t intIndependentSlot(const TCategoryRecord& category,
                                       const TDimensionRecord& dimension, std::int64_t blockBase) {
    const std::int64_t first = blockBase + dimension.intFirstCategoryIndex;
    return category.intLeafNumber >= 0
               ? first + category.intLeafNumber
               : first + dimension.intLeafCount - category.intLeafNumber - 1;
}

// Working room of the normaliser, kept between calls so that a read allocates it once.
struct LevelScratch {
    std::vector<std::int32_t> parent;  // position of the parent in the dimension, -1 at the top
    std::vector<long double> posSum;   // subtree sums (long double: a sum of large values
    std::vector<long double> negSum;   // must not overflow)
    std::vector<char> hasChildren;
    std::vector<std::int32_t> groupStart;  // children of position p at groupStart[p + 1] ...
    std::vector<std::int32_t> members;
    std::vector<std::int32_t> groupOrder;
    std::vector<std::int32_t> levelStart;
    std::vector<std::int32_t> openParents;
};

// Normalises one dimension of one independent measure. The dimension's leaves hold their
// values in dblWorkPosValue and dblWorkNegValue, both as magnitudes (not below 0); their
// value records lie at intIndependentSlot(.., blockBase) and are written with the shares
// (intPercentage, intNegPercentage) and the work copies. A group whose sum is not above 0
// gives its first category 1,000,000 and the others 0. Debug bit 32768 shows the scaled
// values.
void nulNormaliseLevels(TArrCategories& categories, const TDimensionRecord& dimension,
                        const TMeasureRecord& measure, TArrMeasureValues& values,
                        std::int64_t blockBase, int debugMask, LevelScratch& scratch);

// The deepest level among the dimension's categories (0 when it has none).
std::int32_t intMaxLevelGet(const TArrCategories& categories, const TDimensionRecord& dimension);

}  // namespace vantorell
