#pragma once
// The measures editor's rows: adding, inserting, removing and moving measures, with the
// per-measure working data of every tree node kept in step, and the defaults a row gets for
// its type. Every command but Edit item commits pending grid edits first and ends by letting
// the lower editors show the current measure (nulMeasureValuesAndIrregularitiesSetPanels).

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// Defaults of a row for its type: an Independent row gets "Vary by Global Percentage", a
// Weighted row an empty irregularity type; then the irregularity defaults.
void nulMeasuresTypeSetRowDefaults(StringGrid& sgdMeasures, int row);
// An Independent row gets the global percentage "100", a Weighted row an empty one; both lose
// their source measure and weighting dimension. Rows of other types are left alone.
void nulMeasuresIrregularityTypeSetRowDefaults(StringGrid& sgdMeasures, int row);

// The tool buttons from Remove on act on measures: enabled while the grid holds one.
bool nulMeasuresSetButtonState(const StringGrid& sgdMeasures);

// Adds a measure row ("Measure <n>", "MEAS<n>", Independent, totals 0, with the defaults of
// its type) as the last row, and its working data in every node; with `edit` the name goes
// into editing. Returns the new row.
int intMeasuresAddRow(EditorState& editors, bool edit);
// The same, inserted at `row` (the rows from it on move down one); the name goes into
// editing. On an empty grid this adds. Returns the new row.
int intMeasuresInsertRow(EditorState& editors, int row);
// Removes the measure of the row with its working data in every node; the measures that
// took it as their source lose it. The only measure leaves a blank row.
void nulMeasuresDeleteRow(EditorState& editors, int row);
// Swaps the current row with `other` in every node's working data and in the grid; the
// other row becomes current. Nothing moves when `other` is not a data row.
void nulMeasuresSwapRow(EditorState& editors, int other);

void tbnMeasureAddClick(EditorState& editors);
void tbnMeasureInsertClick(EditorState& editors);
void tbnMeasureRemClick(EditorState& editors);
void tbnMeasureMoveUpClick(EditorState& editors);
void tbnMeasureMoveDownClick(EditorState& editors);

}  // namespace vantorell
