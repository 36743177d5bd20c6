#include "designer/frmMain/EditorCellDrawing.h"

#include "designer/rtnGrids/GridDrawing.h"

namespace vantorell {

void nulEditorHeadingDraw(GridCanvas& canvas, const Rect& rect, const std::string& text) {
    canvas.setFontColor(clBtnText);
    canvas.setBrush(clBtnFace, BrushStyle::Solid);
    nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, text);
}

bool flgEditorHeadingDrawn(const StringGrid& grid, GridCanvas& canvas, const Rect& rect, int row,
                           const std::string& text) {
    if (row < grid.fixedRows()) {
        nulEditorHeadingDraw(canvas, rect, text);
        return true;
    }
    canvas.setFontColor(clWindowText);
    canvas.setBrush(clWindow, BrushStyle::Solid);
    return false;
}

void nulEditorHatchedDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                          GridDrawState state) {
    nulGridCellBackgroundPaint(grid, canvas, rect, state);
    canvas.setPenColor(clWindow);
    canvas.setBrush(clScrollBar, BrushStyle::BDiagonal);
    canvas.rectangle(rect);
}

void nulEditorIconCellDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                           GridDrawState state, const std::string& bitmap,
                           const std::string& text) {
    nulGridCellBackgroundPaint(grid, canvas, rect, state);
    nulGridCellTextDraw(canvas, rect, 23, 0, 0, 0, 23, 0, 0, 0, 0, 1, 0, text);
    const Size size = canvas.bitmapSize(bitmap);
    canvas.drawBitmap(rect.left + 3, rect.top + (rect.height() - size.height) / 2, bitmap);
}

void nulEditorMarkCellDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                           GridDrawState state, const std::string& bitmap) {
    nulGridCellBackgroundPaint(grid, canvas, rect, state);
    const Size size = canvas.bitmapSize(bitmap);
    canvas.drawBitmap(rect.left + (rect.width() - size.width) / 2,
                      rect.top + (rect.height() - size.height) / 2, bitmap);
}

void nulEditorTextCellDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                           GridDrawState state, const std::string& text) {
    nulGridCellBackgroundPaint(grid, canvas, rect, state);
    nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, text);
}

}  // namespace vantorell
