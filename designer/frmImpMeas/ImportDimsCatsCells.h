#pragma once
// Editing the import dialog's dimensions grid: the import dimension names cannot be chosen,
// "Include?" toggles by Space, Enter and double click, "Category Limit" takes digits only,
// and a new name or code that the current tree or the grid already uses is refused.

#include <string>

#include "designer/frmImpMeas/ImportDialogState.h"

namespace vantorell {

// The grid holds at least one imported dimension.
bool flgDimsCatsImportHasValues(const ImportDialogState& dialog);
// Every column but the import dimension's name.
bool flgDimsCatsImportIsCellAvailable(int col);

// Where the value is used already, scope 0 as a dimension name, scope 1 as a code: in the
// current tree (the node's position in depth-first order, from 0), else as an import
// dimension name in the grid (the grid row). A message dialog names the row; -1 when the
// value is free.
int intImportValueClash(ImportDialogState& dialog, const std::string& value, int scope);

// May the cell become current: an edit in progress is ended as Enter ends it, the cell's text
// becomes the text before editing, and the in-place editor is allowed everywhere but in
// "Include?".
bool sgdDimsCatsImportSelectCell(ImportDialogState& dialog, int col, int row);
// The in-place editor opens; the cell's text is the text before editing.
bool sgdDimsCatsImportGetEditMask(ImportDialogState& dialog, int col, int row);
// A character typed in the grid; set to 0 when consumed or dropped.
void sgdDimsCatsImportKeyPress(ImportDialogState& dialog, char32_t& key);
void sgdDimsCatsImportDblClick(ImportDialogState& dialog);
// The focus leaves the grid: an edit in progress ends as Enter ends it.
void sgdDimsCatsImportExit(ImportDialogState& dialog);

}  // namespace vantorell
