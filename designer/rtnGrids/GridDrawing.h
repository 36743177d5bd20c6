#pragma once
// Owner drawing of grid cells: backgrounds by draw state, aligned text, percentage bars.
// Drawing never fails, whatever a cell holds.

#include <string>

#include "designer/rtnGrids/GridCanvas.h"
#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

// Fills the rectangle with a solid brush: a selected cell in highlight colours when the grid
// draws its focused cell selected (else in the grid's colours), a fixed cell in button
// colours, any other cell in the grid's colour; the font colour goes with the brush.
void nulGridCellBackgroundPaint(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                                GridDrawState state);

// Draws a text into a cell. Horizontal alignment 0 takes x, 1 centres, 2 aligns right at
// `rightOffset` + 1 from the edge; vertical alignment 0 takes y, 1 centres, 2 aligns to the
// bottom at `bottomOffset`; other alignments take 0. The position is kept inside the left and
// top margins. Mode 0 clips to the cell less its margins, mode 1 draws unclipped, others
// draw nothing.
void nulGridCellTextDraw(GridCanvas& canvas, const Rect& rect, int leftMargin, int topMargin,
                         int rightMargin, int bottomMargin, int x, int y, int rightOffset,
                         int bottomOffset, int hAlign, int vAlign, int mode,
                         const std::string& text);

// The colour of text drawn over a bar of the colour: white over a dark bar, black over a
// light one.
Color clBarTextColor(Color bar);

// Draws a data cell holding an integer as " <cell / divisor> % " centred over a bar as long
// as |value| against `fullScale` for the cell's inner width, cut at the cell's right edge, in
// `barColor`; the text over the bar takes clBarTextColor, the rest `textColor`. Without
// `show`, only the background. A cell that does not hold an integer shows its text without a
// bar. Heading cells are left alone.
void nulGridCellPercentBarDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                               int col, int row, GridDrawState state, int divisor, double fullScale,
                               Color barColor, Color textColor, bool show);

// The percentage text of a value: a blank, the value in its shortest decimal form, " % ".
std::string strPercentText(double value);

}  // namespace vantorell
