#pragma once
// Drawing the cells of the measures grid: headings, hatched cells that do not apply to the
// row's type, the name with the measure icon, the global percentage as a bar, and the totals
// right-aligned in their colours.

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridCanvas.h"

namespace vantorell {

inline constexpr const char* kMeasuresSelectedBitmap = "MEASURESSELECTED";
inline constexpr const char* kMeasuresUnselectedBitmap = "MEASURESUNSELECTED";

void sgdMeasuresDrawCell(const EditorState& editors, int col, int row, const Rect& rect,
                         GridDrawState state, GridCanvas& canvas);

}  // namespace vantorell
