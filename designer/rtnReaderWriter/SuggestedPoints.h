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
// product of the runs a walk over the categories closes; a leaf sets the run figure to 1,
// so it is 1 for a model with categories and 0 for one without. Only the categories'
// levels and dimensions and the number of measures count. Each comparison of a category
// with its successor goes out under debug bit 16 of `debugMask`. Raises
// std::overflow_error beyond the Integer range.
bool flgGetSuggestedPoints(const TArrDimensions& dimensions, const TArrCategories& categories,
                           const TArrMeasures& measures, const TArrIrregularities& irregularities,
                           const TArrMeasureValues& values, std::int32_t& minimumPoints,
                           std::int32_t& suggestedPoints, int debugMask);

bool flgGetSuggestedPoints(const ModelArrays& model, std::int32_t& minimumPoints,
                           std::int32_t& suggestedPoints, int debugMask);

}  // namespace vantorell
