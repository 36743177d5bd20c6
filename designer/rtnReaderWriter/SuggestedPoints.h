#pragma once
// The two point figures the Send Model dialog shows beside a model file.

#include <cstddef>
#include <cstdint>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

// 100 points per measure, and one more per measure when the model has a category.
// Raises std::overflow_error beyond the Integer range.
std::int32_t intMinimumPoints(std::size_t measureCount, bool anyCategory);

// Fills the minimum and the suggested figure; always true. The suggested figure is the
// number of leaf combinations: the product over the dimensions of their leaf counts, found
// by a walk over the categories (a category is a leaf unless its successor lies deeper in
// the same dimension). It is 0 for a model without categories and is held at the largest
// 64-bit value rather than wrapping. Only the categories' levels and dimensions and the
// number of measures count. Each comparison of a category with its successor goes out under
// debug bit 16 of `debugMask`. Raises std::overflow_error when the minimum leaves the
// Integer range.
bool flgGetSuggestedPoints(const TArrDimensions& dimensions, const TArrCategories& categories,
                           const TArrMeasures& measures, const TArrIrregularities& irregularities,
                           const TArrMeasureValues& values, std::int32_t& minimumPoints,
                           std::int64_t& suggestedPoints, int debugMask);

bool flgGetSuggestedPoints(const ModelArrays& model, std::int32_t& minimumPoints,
                           std::int64_t& suggestedPoints, int debugMask);

// The suggested figure as an Integer field shows it: at most 2147483647.
std::int32_t intSuggestedPointsShown(std::int64_t suggestedPoints);

}  // namespace vantorell
