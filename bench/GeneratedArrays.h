#pragma once
// Random model arrays for benchmarks: four dimensions sharing the given number of categories
// and ten measures, made once per size and kept for the run.

#include <map>

#include "designer/rtnReaderWriter/ModelRecords.h"
#include "tests/support/RandomModel.h"

namespace vantorell::bench {

inline constexpr int kGeneratedMeasures = 10;

inline const ModelArrays& generatedArrays(int categories) {
    static std::map<int, ModelArrays> models;
    auto it = models.find(categories);
    if (it == models.end()) {
        test::RandomModelOptions options;
        options.minDimensions = 4;
        options.maxDimensions = 4;
        options.totalCategories = categories;
        options.totalMeasures = kGeneratedMeasures;
        it = models.emplace(categories, test::randomModel(42, options)).first;
    }
    return it->second;
}

}  // namespace vantorell::bench
