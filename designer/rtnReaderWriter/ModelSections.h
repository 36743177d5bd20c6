#pragma once
// The sections of a model file before the percentages: the header with INFO, MEAS, DIM and
// CAT. Each gives the records it writes their identifiers; CAT numbers the leaves and
// parents of every dimension and chains the model's leaves before it is written.

#include "designer/rtnReaderWriter/ModelRecords.h"
#include "designer/rtnReaderWriter/RecordWriter.h"
#include "designer/rtnReaderWriter/WrittenCategories.h"

namespace vantorell {

// "VT0200", the INFO section with the category count and the requested points.
void writeHeader(RecordWriter& out, int categoryCount, int requestedPoints);

// "MEAS": name, code and "M<m>" per measure; "*".
void writeMeasuresSection(RecordWriter& out, TArrMeasures& measures);

// "DIM": name, code and "D<d>" per dimension; "*".
void writeDimensionsSection(RecordWriter& out, TArrDimensions& dimensions);

// Gives every category its identifier, numbers the leaves and parents of every dimension
// and chains the model's leaves; returns what the CAT and PER sections need to know of the
// categories.
WrittenCategories numberCategories(TArrCategories& categories, TArrDimensions& dimensions,
                                   int debugMask);

// "CAT": per dimension its identifier and its categories in tree pre-order, parents marked
// with ">", each "*" closing one level, then the dimension and finally the section.
// `written` is what numberCategories found.
void writeCategoriesSection(RecordWriter& out, const TArrCategories& categories,
                            const WrittenCategories& written);

// "OUT", the requested points, "END".
void writeTrailer(RecordWriter& out, int requestedPoints);

}  // namespace vantorell
