#pragma once
// Editing the cells of the measures grid: which cells may be selected, the lists laid over
// the list columns and what their end changes, typing with its character filters, the
// checks of names, codes, totals and the global percentage, Alt with the arrow keys and
// the mouse on the global percentage's bar.

#include <string>

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

// The entered text of a cell, checked. A name or code must not be empty and must be unique
// among the rows (a code loses its blanks first; names keep 80 bytes, codes 25); totals
// must be numbers; a global percentage is kept within 0..100 (false, without a message,
// when it had to be). A refused text gets the text before editing back, with a message.
bool flgMeasuresValidateCell(EditorState& editors, int col, int row);

// May the cell become current: never on an empty grid; otherwise a pending edit is committed
// first, the cell's text becomes the text before editing, and editing is on for every
// column but "Global Percentage" (a numeric edit of its own). Then by availability.
bool sgdMeasuresSelectCell(EditorState& editors, int col, int row);
// Editing on for the column, but for the global percentage, which is edited as a number.
void nulMeasuresEditingSet(StringGrid& sgdMeasures, int col);

// The cell's editor is requested: the list columns get their lists laid over the cell
// (false: no in-place editor); any other column the grid's own editor (true).
bool sgdMeasuresGetEditMask(EditorState& editors, int col, int row);

// A character typed in the grid; set to 0 when consumed.
void sgdMeasuresKeyPress(EditorState& editors, char32_t& key);
// Alt with the arrow keys on the global percentage (limit 100, unit 1, no balancing).
void sgdMeasuresKeyDown(EditorState& editors, int& key, ShiftState shift);
// The left button pressed, or held while moving, over a global percentage's bar.
void sgdMeasuresMouseDown(EditorState& editors, const GridMouseEvent& event);
void sgdMeasuresMouseMove(EditorState& editors, const GridMouseEvent& event);
// Leaving the grid commits a pending edit of a column without a list.
void sgdMeasuresExit(EditorState& editors);
// The current cell moved, or was clicked: the lower panels follow the current measure.
void sgdMeasuresClick(EditorState& editors);

// "&Edit Item": a pending edit is committed, and the in-place editor (or the list) of the
// current cell opens again.
void pmuMeasuresEditItemClick(EditorState& editors);

// Ends of the list edits.
// Type: a changed type resets the measure's working data in every node, and a measure that
// is no longer Independent stops being the source of others.
void cbxMeasuresTypeExit(EditorState& editors);
// Irregularity type: a changed one sets the row's irregularity defaults.
void cbxMeasuresIrregTypeExit(EditorState& editors);
void cbxMeasuresSourceMeasureExit(EditorState& editors);
void cbxMeasuresWeightingDimensionExit(EditorState& editors);

// Hooks the cell handlers of the grid and of its lists into the editors' state.
void nulMeasuresCellsConnect(EditorState& editors);

}  // namespace vantorell
