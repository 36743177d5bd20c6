#pragma once
// Drawing the cells of the measure values grid: headings, the node and measure with their
// icon, lock marks, shares as bars in the sign's colour against the chosen scale, and ratios.

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridCanvas.h"

namespace vantorell {

inline constexpr const char* kMeasureValuesBitmap = "MEASUREVALUESUNSELECTED";
inline constexpr const char* kLockedBitmap = "ACCESSDENIED";
inline constexpr const char* kUnlockedBitmap = "ACCESSOK";
inline constexpr const char* kUnknownMarkBitmap = "UNKNOWNMARK";

void sgdMeasureValuesDrawCell(const EditorState& editors, int col, int row, const Rect& rect,
                              GridDrawState state, GridCanvas& canvas);

}  // namespace vantorell
