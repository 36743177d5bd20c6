#pragma once
// Editing the import dialog's measures grid: only "Import Measure" can be chosen, and it is
// edited through a list of the imported measures of the row's type and an empty entry.

#include "designer/frmImpMeas/ImportDialogState.h"

namespace vantorell {

// The grid holds at least one measure of the current model.
bool flgMeasuresImportHasValues(const ImportDialogState& dialog);
// "Import Measure" only.
bool flgMeasuresImportIsCellAvailable(int col);

// May the cell become current: in "Import Measure" only, where the in-place editor is
// allowed; the cell's text becomes the text before editing.
bool sgdMeasuresImportSelectCell(ImportDialogState& dialog, int col, int row);
// "Import Measure" lays the list over the cell, filled with the names of the imported
// measures whose type letter starts the row's "Target Type", then one empty entry for none
// (false: no in-place editor of the grid's own).
bool sgdMeasuresImportGetEditMask(ImportDialogState& dialog, int col, int row);
void cbxImportMeasuresKeyDown(ImportDialogState& dialog, int key, ShiftState shift);
void cbxImportMeasuresExit(ImportDialogState& dialog);

}  // namespace vantorell
