#include "designer/rtnReaderWriter/SuggestedPoints.h"

#include <string>

#include "designer/rtnReaderWriter/CheckedIntegers.h"
#include "designer/rtnReaderWriter/DebugMessage.h"

namespace vantorell {

std::int32_t intMinimumPoints(std::size_t measureCount, bool anyCategory) {
    const std::int32_t m = intCheckedCount(measureCount, "the minimum points");
    return intCheckedMultiply(m, anyCategory ? 101 : 100, "the minimum points");
}

bool flgGetSuggestedPoints(const TArrDimensions& /*dimensions*/, const TArrCategories& categories,
                           const TArrMeasures& measures,
                           const TArrIrregularities& /*irregularities*/,
                           const TArrMeasureValues& /*values*/, std::int32_t& minimumPoints,
                           std::int32_t& suggestedPoints, int debugMask) {
    minimumPoints = intMinimumPoints(measures.size(), !categories.empty());

    std::int32_t product = 1;
    std::int32_t run = 0;
    for (std::size_t i = 0; i + 1 < categories.size(); ++i) {
        const TCategoryRecord& current = categories[i];
        const TCategoryRecord& next = categories[i + 1];
        if ((debugMask & kDebugLevels) != 0) {
            nulDebugMessage("Comparing current level " + std::to_string(current.bytLevelNumber) +
                                " to next: " + std::to_string(next.bytLevelNumber) + " at " +
                                std::to_string(i),
                            kDebugLevels, debugMask);
        }
        if (next.bytLevelNumber > current.bytLevelNumber) {
            if (next.intParentDimensionIndex == current.intParentDimensionIndex) {
                continue;  // a parent
            }
            run = 1;  // the last leaf of its dimension, the next one starting deeper
            continue;
        }
        run = 1;
        product = intCheckedMultiply(product, run, "the suggested points");
        run = 0;
    }
    if (!categories.empty()) {
        run = 1;  // the last category is always a leaf
    }
    suggestedPoints = intCheckedMultiply(product, run, "the suggested points");
    return true;
}

bool flgGetSuggestedPoints(const ModelArrays& model, std::int32_t& minimumPoints,
                           std::int32_t& suggestedPoints, int debugMask) {
    return flgGetSuggestedPoints(model.dimensions, model.categories, model.measures,
                                 model.irregularities, model.values, minimumPoints, suggestedPoints,
                                 debugMask);
}

}  // namespace vantorell
