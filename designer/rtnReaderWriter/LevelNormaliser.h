#pragma once
// Turns the absolute values of one dimension's leaves, as an independent measure block gives
// them, into sibling shares in exact millionths: every parent takes the sum of its subtree,
// and every sibling group is scaled to 1,000,000 and rounded with a carried error, so that
// the shares of a group add up to exactly 1,000,000.

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

// The tree of one dimension as the normaliser walks it; the same for every measure.
// Positions count from the dimension's first category.
struct DimensionShape {
    std::int32_t first = 0;
    std::int32_t maxLevel = 0;
    std::vector<std::int32_t> parent;  // position of the parent, -1 at the top
    std::vector<std::int32_t> slot;    // record within a measure's block, from its base
    std::vector<char> hasChildren;
    std::vector<std::int32_t> groupStart;  // group g (0: top level, p + 1: children of p)
    std::vector<std::int32_t> members;     // holds members[groupStart[g] .. groupStart[g + 1])
    std::vector<std::int32_t> groupOrder;  // deepest level first, then in array order

    std::int32_t count() const { return static_cast<std::int32_t>(parent.size()); }
};

DimensionShape shapeOfDimension(const TArrCategories& categories,
                                const TDimensionRecord& dimension);

// Values of one dimension for one measure, by position: magnitudes (not below 0) of the
// leaves as read; the normaliser turns them into subtree sums.
struct LevelValues {
    std::vector<long double> positive;
    std::vector<long double> negative;

    void reset(std::int32_t count) {
        positive.assign(static_cast<std::size_t>(count), 0.0L);
        negative.assign(static_cast<std::size_t>(count), 0.0L);
    }
};

// Normalises dimension `dimension` of independent measure `measure`: writes the records at
// blockBase + slot whole (measure, dimension, category, shares and work copies) and the
// subtree sums into the parents' work values. A group whose sum is not above 0 gives its
// first category 1,000,000 and the others 0. Debug bit 32768 shows the scaled values.
void nulNormaliseLevels(TArrCategories& categories, const DimensionShape& shape,
                        const TArrMeasures& measures, std::int32_t measure, std::int32_t dimension,
                        TArrMeasureValues& values, std::int64_t blockBase, int debugMask,
                        LevelValues& levelValues);

// The deepest level among the dimension's categories (0 when it has none).
std::int32_t intMaxLevelGet(const TArrCategories& categories, const TDimensionRecord& dimension);

}  // namespace vantorell
