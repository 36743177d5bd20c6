#pragma once
// The PER section: independent measures first, as the absolute values of their leaves,
// then weighted measures with their ratios.

#include "designer/rtnReaderWriter/ModelRecords.h"
#include "designer/rtnReaderWriter/RecordWriter.h"
#include "designer/rtnReaderWriter/WrittenCategories.h"

namespace vantorell {

// Writes "PER", one block per measure and "*". Stores each measure's first value index and,
// in the work fields of the value records, the absolute values written. The identifiers of
// measures, dimensions and categories must have been given by the sections before;
// `categories` is what the CAT section found.
void writePercentagesSection(RecordWriter& out, TArrMeasures& measures, TArrMeasureValues& values,
                             const TArrIrregularities& irregularities,
                             const WrittenCategories& categories, const TArrDimensions& dimensions,
                             int debugMask);

}  // namespace vantorell
