#pragma once
// Drawing the import dialog's grids as the measures grid is drawn: headings, the first column
// with its icon, "Include?" as a mark, the category limit with thousands separators,
// right-aligned, and plain text cells.

#include <string>

#include "designer/frmImpMeas/ImportDialogState.h"
#include "designer/rtnGrids/GridCanvas.h"

namespace vantorell {

inline constexpr const char* kDimsSelectedBitmap = "DIMSSELECTED";
inline constexpr const char* kDimsUnselectedBitmap = "DIMSUNSELECTED";
inline constexpr const char* kTrueMarkBitmap = "TRUEMARK";
inline constexpr const char* kFalseMarkBitmap = "FALSEMARK";

// A number of digits with a "," between every three from the right and no leading zeros,
// "12345" as "12,345".
std::string strThousandsText(const std::string& digits);

void sgdDimsCatsImportDrawCell(const ImportDialogState& dialog, int col, int row, const Rect& rect,
                               GridDrawState state, GridCanvas& canvas);
void sgdMeasuresImportDrawCell(const ImportDialogState& dialog, int col, int row, const Rect& rect,
                               GridDrawState state, GridCanvas& canvas);

}  // namespace vantorell
