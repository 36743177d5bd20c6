#pragma once
// Random valid models for tests and benchmarks: dimensions with trees of varying depth
// (flat ones too), independent measures with positive and negative totals and irregularity
// types 0 to 3, weighted measures whose source is an independent measure listed before them.
//
// The arrays are in the order a model file reads back into: categories in tree pre-order,
// value records measure by measure, each independent measure's records dimension by
// dimension with the leaves first and then the parents, irregularity records of the
// independent measures per dimension. Every sibling group's shares add up to 1,000,000 and
// parents never get a share of 0, since a file carries leaf values only and a parent of
// share 0 would leave nothing to recover its children's shares from. A measure without a
// negative total gives each group's first category the whole negative side, as reading
// a file without a negative column does.

#include <cstdint>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell::test {

struct RandomModelOptions {
    int minDimensions = 1;
    int maxDimensions = 4;
    int maxCategoriesPerDimension = 14;
    int maxDepth = 4;
    int minMeasures = 1;
    int maxMeasures = 4;
    // When above 0: exactly this many categories, spread over the dimensions, and exactly
    // this many measures (for large models).
    int totalCategories = 0;
    int totalMeasures = 0;
    // Texts only of the characters a protected copy carries (blank to "~").
    bool printableOnly = false;
};

ModelArrays randomModel(std::uint32_t seed, const RandomModelOptions& options = {});

}  // namespace vantorell::test
