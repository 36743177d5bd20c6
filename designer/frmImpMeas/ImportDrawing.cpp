#include "designer/frmImpMeas/ImportDrawing.h"

#include "designer/frmImpMeas/ImportDimsCatsCells.h"
#include "designer/frmImpMeas/ImportMeasuresCells.h"
#include "designer/frmMain/EditorCellDrawing.h"
#include "designer/frmMain/MeasureValuesDrawing.h"
#include "designer/frmMain/MeasuresDrawing.h"
#include "designer/rtnGrids/GridDrawing.h"

namespace vantorell {
std::string strThousandsText(const std::string& digits) {
    const std::size_t first = digits.find_first_not_of('0');
    const std::string number = first == std::string::npos ? "0" : digits.substr(first);
    std::string text;
    text.reserve(number.size() + number.size() / 3);
    for (std::size_t i = 0; i < number.size(); ++i) {
        if (i > 0 && (number.size() - i) % 3 == 0) {
            text += ',';
        }
        text += number[i];
    }
    return text;
}

void sgdDimsCatsImportDrawCell(const ImportDialogState& dialog, int col, int row, const Rect& rect,
                               GridDrawState state, GridCanvas& canvas) {
    const StringGrid& grid = dialog.sgdDimsCatsImport;
    const std::string& text = grid.cell(col, row);
    if (flgEditorHeadingDrawn(grid, canvas, rect, row, text)) {
        return;
    }
    if (text.empty() || !flgDimsCatsImportHasValues(dialog)) {
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
    } else if (col == kImportDimension) {
        nulEditorIconCellDraw(grid, canvas, rect, state,
                              row == grid.row() ? kDimsSelectedBitmap : kDimsUnselectedBitmap,
                              text);
    } else if (col == kImportInclude) {
        nulEditorMarkCellDraw(grid, canvas, rect, state,
                              text == "True"    ? kTrueMarkBitmap
                              : text == "False" ? kFalseMarkBitmap
                                                : kUnknownMarkBitmap);
    } else if (col == kImportCategoryLimit) {
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
        if (text != "0") {
            nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 0, 0, 2, 0, 2, 1, 0,
                                strThousandsText(text));
        }
    } else {
        nulEditorTextCellDraw(grid, canvas, rect, state, text);
    }
}

void sgdMeasuresImportDrawCell(const ImportDialogState& dialog, int col, int row, const Rect& rect,
                               GridDrawState state, GridCanvas& canvas) {
    const StringGrid& grid = dialog.sgdMeasuresImport;
    const std::string& text = grid.cell(col, row);
    if (flgEditorHeadingDrawn(grid, canvas, rect, row, text)) {
        return;
    }
    if (text.empty() || !flgMeasuresImportHasValues(dialog)) {
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
    } else if (col == kTargetMeasure) {
        nulEditorIconCellDraw(
            grid, canvas, rect, state,
            row == grid.row() ? kMeasuresSelectedBitmap : kMeasuresUnselectedBitmap, text);
    } else {
        nulEditorTextCellDraw(grid, canvas, rect, state, text);
    }
}

}  // namespace vantorell
