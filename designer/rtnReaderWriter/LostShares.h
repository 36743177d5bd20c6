#pragma once
// Shares that a model file cannot carry. The file holds the values of the categories without
// subcategories only, each the product of the shares along its path; below a category whose
// share is 0 every value is 0, and the reader gives each group there its first category's
// 100 %. Whatever else was set below such a category is gone once the file is opened again.

#include <cstdint>
#include <vector>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

struct LostShares {
    std::int32_t intMeasureIndex = 0;
    std::int32_t intCategoryIndex = 0;  // the category with a share of 0 above them
    bool flgNegative = false;           // the negative side; else the positive one
};

// Every category of an independent measure whose share on a side the file carries is 0 and
// below which some share is not what the reader would give back: by measure, the positive
// side first, each in category order. The negative side counts only for a measure with a
// negative total, as only then does the file carry it.
std::vector<LostShares> arrLostSharesFind(const ModelArrays& model);

}  // namespace vantorell
