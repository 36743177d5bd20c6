#pragma once
// Editing the cells of the measure values grid: which cells may be selected, locks toggled
// by key and double click, shares typed, stepped with Alt and the arrow keys or dragged with
// the mouse (the other unlocked rows give or take the difference), and ratios checked
// against each other.

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

// The order of the ratios, by the column checked; false, with a message and the text before
// editing back, when the order is broken or the text is no number.
bool flgMeasureValuesValidateCell(EditorState& editors, int col, int row);

// May the cell become current: any cell while tree or measures are empty (no editing); no
// cell while a dimension is shown; otherwise yes, with a pending edit committed first, the
// cell's text as the text before editing, and editing on for the ratio columns only.
bool sgdMeasureValuesSelectCell(EditorState& editors, int col, int row);
// Editing on for the ratio columns of a group of categories, off for any other cell.
void nulMeasureValuesEditingSet(EditorState& editors, int col);

// A character typed in the grid; set to 0 when consumed.
void sgdMeasureValuesKeyPress(EditorState& editors, char32_t& key);
// Alt with the arrow keys on a share, with balancing, when the group has more than one row.
void sgdMeasureValuesKeyDown(EditorState& editors, int& key, ShiftState shift);
void sgdMeasureValuesDblClick(EditorState& editors);
// The left button pressed, or held while moving, over an unlocked share's bar.
void sgdMeasureValuesMouseDown(EditorState& editors, const GridMouseEvent& event);
void sgdMeasureValuesMouseMove(EditorState& editors, const GridMouseEvent& event);
// "&Edit Item": Enter on the grid.
void pmuMeasureValuesEditItemClick(EditorState& editors);

}  // namespace vantorell
