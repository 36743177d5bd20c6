#pragma once
// Cell drawing the editor grids share: headings, hatched cells that do not apply to their row,
// the first column with its icon, centred marks, and plain text cells.

#include <string>

#include "designer/rtnGrids/GridCanvas.h"
#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

// Button colours, the text centred both ways and clipped.
void nulEditorHeadingDraw(GridCanvas& canvas, const Rect& rect, const std::string& text);
// A heading row's cell is drawn (true); a data cell gets the window's colours to start from
// (false).
bool flgEditorHeadingDrawn(const StringGrid& grid, GridCanvas& canvas, const Rect& rect, int row,
                           const std::string& text);
// The background by draw state, then the cell outlined and filled with back-diagonal hatching
// in the scroll-bar colour.
void nulEditorHatchedDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                          GridDrawState state);
// The background, the text clipped at 23 pixels from the left and centred vertically, and
// the named bitmap at 3 pixels from the left, centred vertically.
void nulEditorIconCellDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                           GridDrawState state, const std::string& bitmap, const std::string& text);
// The background and the named bitmap centred both ways: a mark such as a lock or a tick.
void nulEditorMarkCellDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                           GridDrawState state, const std::string& bitmap);
// The background and the text at 2 pixels from the left, centred vertically, clipped.
void nulEditorTextCellDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                           GridDrawState state, const std::string& text);

}  // namespace vantorell
