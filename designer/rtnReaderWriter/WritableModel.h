#pragma once
// What the writer checks before a model file is written: every reference between the arrays
// points at a record the file will hold, and nothing would read back as something else, so
// that every file written opens again as the model that was saved.

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

// Raises ModelWriteError naming the record at fault and why it cannot be saved:
// - a category of no dimension of the model, categories of one dimension apart from each
//   other, a category at a level below 1, more than one below the category before it, or
//   deeper than kDeepestCategoryLevel;
// - a weighted measure whose source measure or weighting dimension is not in the model;
// - a negative total or global percentage (the file tells these apart by their sign);
// - a value or irregularity record of a measure, dimension or category not in the model, or
//   of a category listed under a dimension it does not belong to.
void requireWritableModel(const TArrIrregularities& irregularities, const TArrMeasureValues& values,
                          const TArrMeasures& measures, const TArrCategories& categories,
                          const TArrDimensions& dimensions);

}  // namespace vantorell
