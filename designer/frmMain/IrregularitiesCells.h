#pragma once
// Editing and drawing the cells of the irregularities grid: which cells apply to the current
// measure, the family list laid over its cells, whole percentages typed within 0..100,
// stepped with Alt and the arrow keys or dragged with the mouse.

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridCanvas.h"

namespace vantorell {

inline constexpr const char* kIrregularitiesBitmap = "IRREGULARITIESUNSELECTED";

// May the cell become current: by its availability while tree and measures hold values,
// with a pending edit ended first, the cell's text as the text before editing, and editing
// on for the family only (the percentages have numeric edits of their own).
bool sgdIrregularitiesSelectCell(EditorState& editors, int col, int row);
// Editing off for the percentage columns, which are edited as numbers, on for the family.
void nulIrregularitiesEditingSet(StringGrid& grid, int col);
// The family column lays its list over the cell (false: no in-place editor).
bool sgdIrregularitiesGetEditMask(EditorState& editors, int col, int row);
void sgdIrregularitiesKeyPress(EditorState& editors, char32_t& key);
void sgdIrregularitiesKeyDown(EditorState& editors, int& key, ShiftState shift);
void sgdIrregularitiesMouseDown(EditorState& editors, const GridMouseEvent& event);
void sgdIrregularitiesMouseMove(EditorState& editors, const GridMouseEvent& event);
// "&Edit Item": Enter in the grid.
void pmuIrregularitiesEditItemClick(EditorState& editors);
void cbxIrregularitiesFamilyExit(EditorState& editors);

void sgdIrregularitiesDrawCell(const EditorState& editors, int col, int row, const Rect& rect,
                               GridDrawState state, GridCanvas& canvas);

// Hooks the cell handlers of the grid and of its list into the editors' state.
void nulIrregularitiesCellsConnect(EditorState& editors);

}  // namespace vantorell
