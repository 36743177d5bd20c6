#pragma once
// Checks a set of model arrays against the rules every producer must keep: categories grouped
// by dimension in tree pre-order, consistent dimension counts, value records that point at
// real records, sibling shares that balance, one irregularity record per dimension where
// a measure needs them.

#include <gtest/gtest.h>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell::test {

struct InvariantOptions {
    bool dimensionCounts = true;  // intFirstCategoryIndex, intCategoryCount, intLeafCount
    bool sortedIndex = false;     // intSortedIndex is a permutation in file-identifier order
    bool shares = true;           // independent measures: each sibling group sums to 100 % or 0
    bool valueGroups = true;      // values grouped by measure; intFirstValueIndex points at them
    bool irregularities = true;   // one record per dimension for types other than 0
};

::testing::AssertionResult modelArraysValid(const TArrDimensions& dims, const TArrCategories& cats,
                                            const TArrMeasures& meas, const TArrMeasureValues& vals,
                                            const TArrIrregularities& irrs,
                                            const InvariantOptions& options = {});

inline ::testing::AssertionResult modelArraysValid(const ModelArrays& m,
                                                   const InvariantOptions& options = {}) {
    return modelArraysValid(m.dimensions, m.categories, m.measures, m.values, m.irregularities,
                            options);
}

}  // namespace vantorell::test
