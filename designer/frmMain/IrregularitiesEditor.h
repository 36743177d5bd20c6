#pragma once
// The irregularities editor: per dimension node and measure, an adjustment percentage (the
// standard irregularity), an extra adjustment percentage (the inter-family irregularity) and
// a family. The grid shows one dimension per row for the current measure; it is loaded from
// the working copy and saved back into it.

#include <array>

#include "designer/frmMain/EditorState.h"
#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

enum IrregularitiesColumn : int {
    kIrregularitiesFor = 0,
    kIrregularitiesAdjustment,
    kIrregularitiesExtraAdjustment,
    kIrregularitiesFamily,
    kIrregularitiesColumnCount
};

inline constexpr std::array<const char*, kIrregularitiesColumnCount> kIrregularitiesHeadings = {
    "For", "Adjustment Percentage", "Extra Adj. Percentage", "Family"};
// Items of the family list; the position is the family number.
inline constexpr std::array<const char*, 4> kIrregularitiesFamilyTexts = {"No Family", "Family 1",
                                                                          "Family 2", "Family 3"};

// Element k of the dimension node's irregularity data: both irregularities 0 and no family.
void nulArrIrregularitiesWorksetSetDefaults(TreeNode& node, int k);

// One heading row and one heading column (and at least one data row), the four headings.
void nulSgdIrregularitiesHeadingsSet(StringGrid& grid);

// The extra adjustment and the family apply to the irregularity types with families only;
// the other columns always.
bool flgIrregularitiesIsCellAvailable(const EditorState& editors, int col);

// Fills the grid with one row per dimension for the current measure: "<dimension> and
// <measure>", both irregularities as whole percentages (truncated), and the family's text.
void nulsgdIrregularitiesLoad(EditorState& editors);
// Stores the rows back into the dimensions' elements for the current measure; an open edit
// is ended first. A family text that is not in the list keeps the family stored.
void nulsgdIrregularitiesSave(EditorState& editors);

// The preset buttons: each commits pending edits, sets every row and saves. Reset gives
// 0, 0 and "No Family"; None 0 and 0, Half 50 and 50, Full 100 and 100, the families kept.
void btnIrregularitiesResetClick(EditorState& editors);
void btnIrregularitiesPercentNoneClick(EditorState& editors);
void btnIrregularitiesPercentHalfClick(EditorState& editors);
void btnIrregularitiesPercentFullClick(EditorState& editors);

}  // namespace vantorell
