#include "designer/rtnGrids/GridSizing.h"

#include <string>

namespace vantorell {

namespace {

// The cell text of the column that measures widest, and its width.
const std::string& widestText(const StringGrid& grid, int col, int& width) {
    static const std::string none;
    const std::string* widest = &none;
    width = 0;
    for (int r = 0; r < grid.rowCount(); ++r) {
        const std::string& text = grid.cell(col, r);
        if (text.empty()) {
            continue;
        }
        const int w = grid.textWidth(text);
        if (w > width || widest->empty()) {
            width = w;
            widest = &text;
        }
    }
    return *widest;
}

}  // namespace

int intGridColumnAutoSize(StringGrid& grid, int col) {
    int width = 0;
    widestText(grid, col, width);
    width += 30;
    grid.setColWidth(col, width);
    return width;
}

int intGridColumnTextWidth(const StringGrid& grid, int col) {
    int width = 0;
    const std::string& widest = widestText(grid, col, width);
    return grid.textWidth(widest + "  ");
}

void nulGridColumnsWidthSet(StringGrid& grid, int firstCol, int lastCol, int extra) {
    for (int c = firstCol; c <= lastCol; ++c) {
        grid.setColWidth(c, intGridColumnTextWidth(grid, c) + extra);
    }
}

}  // namespace vantorell
