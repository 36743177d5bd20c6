#include "designer/frmMain/MeasureValuesDrawing.h"

#include "designer/frmMain/EditorCellDrawing.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasureValuesPanels.h"
#include "designer/rtnGrids/GridDrawing.h"

namespace vantorell {

void sgdMeasureValuesDrawCell(const EditorState& editors, int col, int row, const Rect& rect,
                              GridDrawState state, GridCanvas& canvas) {
    const StringGrid& grid = editors.sgdMeasureValues;
    const std::string& text = grid.cell(col, row);
    if (flgEditorHeadingDrawn(grid, canvas, rect, row, text)) {
        return;
    }
    if (text.empty()) {
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
    } else if (col == 0) {
        nulEditorIconCellDraw(grid, canvas, rect, state, kMeasureValuesBitmap, text);
    } else if (col == intMeasureValuesLockedColumn(grid)) {
        nulEditorMarkCellDraw(grid, canvas, rect, state,
                              text == "True"    ? kLockedBitmap
                              : text == "False" ? kUnlockedBitmap
                                                : kUnknownMarkBitmap);
    } else if (col == intMeasureValuesPercentColumn(grid)) {
        const Color bar = editors.flgMeasureValuesShowNegatives ? clMaroon : clNavy;
        canvas.setBrush(bar, BrushStyle::Solid);
        nulGridCellPercentBarDraw(grid, canvas, rect, col, row, state,
                                  static_cast<int>(kMeasureValuesPercentUnit),
                                  dblMeasureValuesScaleGet(editors), bar, clWindowText, true);
    } else if (grid.cell(col, 0).find("Ratio") != std::string::npos) {
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
        nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, text);
    } else {
        nulEditorTextCellDraw(grid, canvas, rect, state, text);
    }
}

}  // namespace vantorell
