#pragma once
// The measure values editor: one sibling group's shares (or ratios) of one measure, as the
// grid shows them: its headings, loading it from the working copy and saving it back, the
// entry check of a typed share, unlocking every row, and the copy of a group's shares into a
// text array and back.

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridLookups.h"

namespace vantorell {

// The shares of the node's sibling group (the first node's when none is given), from the
// first sibling on, one text per sibling: "0" for a weighted measure, else the negative or
// positive share. A dimension gives one entry: "0" for a weighted measure, else "1000000".
// The measure is measure row `measureIndex` of the measures grid.
void nulLoadStringArrayFromMeasureValuesPercentages(const StringGrid& sgdMeasures,
                                                    const NodeTree& tree, TreeNode* node,
                                                    int measureIndex, bool negative,
                                                    TDynamicArrayOfStrings& texts);

// Stores the texts back into the category's sibling group, from the first sibling on (0 for a
// weighted measure), and empties the array.
void nulSaveStringArrayToMeasureValuesPercentages(const StringGrid& sgdMeasures, TreeNode* node,
                                                  int measureIndex, bool negative,
                                                  TDynamicArrayOfStrings& texts);

// The same for the measure selected in the measures grid.
void nulLoadStringArrayFromMeasureValuesPercentages(const EditorState& editors, TreeNode* node,
                                                    bool negative, TDynamicArrayOfStrings& texts);
void nulSaveStringArrayToMeasureValuesPercentages(EditorState& editors, TreeNode* node,
                                                  bool negative, TDynamicArrayOfStrings& texts);

// Headings by the type of the measure selected in the measures grid: "For", "Locked?",
// "Percent" for an independent one (and while tree or measures are empty), "For" and the
// three ratios for a weighted one. One heading row, at least two rows.
void nulSgdMeasureValuesHeadingsSet(EditorState& editors);

// Fills the grid with the sibling group of the selected node (of the first node when none
// is selected) for the measure selected in the measures grid: one row per sibling, the
// negative or positive shares. A dimension gets one row that reaches nothing. The
// balancing starts again at the first data row.
void nulSgdMeasureValuesLoad(EditorState& editors, bool negative);

// Stores the grid's rows back into the working elements of the nodes they show; an open
// edit is ended first. A cell that holds no number leaves its field as it was.
void nulSgdMeasureValuesSave(EditorState& editors, bool negative);

// The text a typed "Percent" cell keeps: the other unlocked rows give or take the
// difference to the previous text, as far as they can.
std::string strMeasureValuesValidateCellEntry(EditorState& editors, int col, int row,
                                              const std::string& previousText);

// Ends the numeric edit of the current share: the typed percentage, when it converts, goes
// through the entry check, so that the other unlocked rows make room for it.
void nulMeasureValuesPercentEditEnd(EditorState& editors);

// Commit pending edits, lock or unlock every row and store the grid with the sign shown.
void tbnMeasureValuesLockAllClick(EditorState& editors);
void tbnMeasureValuesUnlockAllClick(EditorState& editors);

}  // namespace vantorell
