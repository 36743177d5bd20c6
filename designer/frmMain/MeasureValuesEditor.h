#pragma once
// The measure values editor: one sibling group's shares of one measure, as the grid shows
// them. Here: the copy of a group's shares into a text array and back, for balancing.

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

}  // namespace vantorell
