#pragma once
// Column widths from the texts of a column, measured in the grid's font through its view.

#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

// Widest cell text of the column over all rows, headings included, plus 30 pixels; set as
// the column's width and returned.
int intGridColumnAutoSize(StringGrid& grid, int col);

// Width of the column's widest cell text followed by two blanks.
int intGridColumnTextWidth(const StringGrid& grid, int col);

// Every column from first to last gets its text width plus `extra` pixels.
void nulGridColumnsWidthSet(StringGrid& grid, int firstCol, int lastCol, int extra);

}  // namespace vantorell
