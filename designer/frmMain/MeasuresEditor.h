#pragma once
// The measures editor: rows of the measures grid and the per-measure working data of every
// tree node, kept in step with them.

#include <string>

#include "designer/frmMain/EditorState.h"
#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

// Index of the last record whose name equals the text exactly; -1 when none.
int intMeasureIndexGetByName(const TArrMeasures& measures, const std::string& name);
int intDimensionIndexGetByName(const TArrDimensions& dimensions, const std::string& name);

// Defaults of a row for its type: an Independent row gets "Vary by Global Percentage", a
// Weighted row an empty irregularity type; then the irregularity defaults.
void nulMeasuresTypeSetRowDefaults(StringGrid& sgdMeasures, int row);
// An Independent row gets the global percentage "100", a Weighted row an empty one; both lose
// their source measure and weighting dimension. Rows of other types are left alone.
void nulMeasuresIrregularityTypeSetRowDefaults(StringGrid& sgdMeasures, int row);

// A new measure at working index k: every node's array gets one element per measure row, the
// elements from k on move up one place, and element k gets the defaults (irregularity
// defaults on dimensions, measure value defaults on categories).
void nulMeasureAddToDimsCats(EditorState& editors, int k);

// Adds a measure row ("Measure <n>", "MEAS<n>", Independent, totals 0, with the defaults of
// its type) and its working data in every node; with `edit` the name goes into editing.
// Returns the new row.
int intMeasuresAddRow(EditorState& editors, bool edit);

}  // namespace vantorell
