#include "designer/rtnReaderWriter/SuggestedPoints.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string>

#include "designer/rtnReaderWriter/CheckedIntegers.h"
#include "designer/rtnReaderWriter/DebugMessage.h"

namespace vantorell {
namespace {

constexpr std::int64_t kLargestFigure = std::numeric_limits<std::int64_t>::max();

std::int64_t heldProduct(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? kLargestFigure : product;
}

}  // namespace

std::int32_t intMinimumPoints(std::size_t measureCount, bool anyCategory) {
    const std::int32_t m = intCheckedCount(measureCount, "the minimum points");
    return intCheckedMultiply(m, anyCategory ? 101 : 100, "the minimum points");
}

bool flgGetSuggestedPoints(const TArrDimensions& /*dimensions*/, const TArrCategories& categories,
                           const TArrMeasures& measures,
                           const TArrIrregularities& /*irregularities*/,
                           const TArrMeasureValues& /*values*/, std::int32_t& minimumPoints,
                           std::int64_t& suggestedPoints, int debugMask) {
    minimumPoints = intMinimumPoints(measures.size(), !categories.empty());

    // Leaves by dimension, so that a dimension the array names twice still counts once.
    std::map<int, std::int64_t> leaves;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const TCategoryRecord& current = categories[i];
        if (i + 1 < categories.size()) {
            const TCategoryRecord& next = categories[i + 1];
            if ((debugMask & kDebugLevels) != 0) {
                nulDebugMessage("Comparing current level " +
                                    std::to_string(current.bytLevelNumber) +
                                    " to next: " + std::to_string(next.bytLevelNumber) + " at " +
                                    std::to_string(i),
                                kDebugLevels, debugMask);
            }
            if (next.bytLevelNumber > current.bytLevelNumber &&
                next.intParentDimensionIndex == current.intParentDimensionIndex) {
                continue;  // a parent
            }
        }
        ++leaves[current.intParentDimensionIndex];
    }
    std::int64_t product = leaves.empty() ? 0 : 1;
    for (const auto& [dimension, count] : leaves) {
        product = heldProduct(product, count);
    }
    suggestedPoints = product;
    return true;
}

bool flgGetSuggestedPoints(const ModelArrays& model, std::int32_t& minimumPoints,
                           std::int64_t& suggestedPoints, int debugMask) {
    return flgGetSuggestedPoints(model.dimensions, model.categories, model.measures,
                                 model.irregularities, model.values, minimumPoints, suggestedPoints,
                                 debugMask);
}

std::int32_t intSuggestedPointsShown(std::int64_t suggestedPoints) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(suggestedPoints, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace vantorell
