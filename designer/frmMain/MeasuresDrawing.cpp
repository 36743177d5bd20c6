#include "designer/frmMain/MeasuresDrawing.h"

#include "designer/frmMain/EditorCellDrawing.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnGrids/GridDrawing.h"

namespace vantorell {

void sgdMeasuresDrawCell(const EditorState& editors, int col, int row, const Rect& rect,
                         GridDrawState state, GridCanvas& canvas) {
    const StringGrid& grid = editors.sgdMeasures;
    const std::string& text = grid.cell(col, row);
    if (flgEditorHeadingDrawn(grid, canvas, rect, row, text)) {
        return;
    }
    const bool hasValues = flgMeasuresHasValues(grid);
    if (hasValues && !flgMeasuresIsCellAvailable(grid, col, row)) {
        nulEditorHatchedDraw(grid, canvas, rect, state);
        return;
    }
    if (text.empty() || !hasValues) {
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
    } else if (col == kMeasuresName) {
        nulEditorIconCellDraw(
            grid, canvas, rect, state,
            row == grid.row() ? kMeasuresSelectedBitmap : kMeasuresUnselectedBitmap, text);
    } else if (grid.cell(col, 0).find("Percentage") != std::string::npos) {
        nulGridCellPercentBarDraw(grid, canvas, rect, col, row, state, 1, 100, clGreen,
                                  clWindowText, true);
    } else if (col == kMeasuresPosTotal || col == kMeasuresNegTotal) {
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
        canvas.setFontColor(col == kMeasuresPosTotal ? clNavy : clMaroon);
        nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 0, 0, 2, 0, 2, 1, 0, text);
    } else {
        nulEditorTextCellDraw(grid, canvas, rect, state, text);
    }
}

}  // namespace vantorell
