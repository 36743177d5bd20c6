#pragma once
// Percentage cells changed by the mouse and by Alt with the arrow keys, in the measure
// values grid (with balancing) and in the measures and irregularities grids (without).

#include <cstdint>

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

// How far the cell's value is to move for a mouse at `x` (grid coordinates): the cell's
// width less 4 pixels stands for `fullScale` percent, each percent being `unit` in the
// cell; positions snap to steps of unit × fullScale × unit / 1,000,000 and stay within
// 0 .. fullScale × unit. The result is that position less the cell's absolute value; -1 for
// an empty cell or a heading cell.
double dblGridBarDeltaFromMouse(const StringGrid& grid, int col, int row, double fullScale,
                                double unit, int x);

// Sets a data cell that holds text from the mouse at `x`: with `balance` through the
// balancing of the other rows of the measure values grid (which may cut the change),
// without it directly. Returns the change made; 0 for an empty cell or a heading cell.
std::int64_t nulGridBarSetFromMouse(EditorState& editors, StringGrid& grid, int col, int row,
                                    bool balance, double fullScale, double unit, int x);

// Where and how the bars of an editor grid follow the mouse.
struct GridBarMouse {
    StringGrid& (*grid)(EditorState& editors);
    // The cell's bar may be set from the mouse.
    bool (*flgBarCell)(const EditorState& editors, int col, int row);
    bool balance;
    double (*fullScale)(const EditorState& editors);
    double unit;
    // A move first takes the current cell's text as the text before editing.
    bool previousTextOnMove;
};

// A press of the left button, or a move while it is held, over a cell whose bar may be set:
// the bar follows the mouse (nulGridBarSetFromMouse).
void nulGridBarMouseDown(EditorState& editors, const GridBarMouse& bars,
                         const GridMouseEvent& event);
void nulGridBarMouseMove(EditorState& editors, const GridBarMouse& bars,
                         const GridMouseEvent& event);

// Alt with an arrow key in a column whose heading contains "Percent": Left and Right step the
// current cell down or up by one, Up sets `limit`, Down sets 0; with `balance` the other rows
// of the measure values grid give or take the change. While the cell is being edited the
// edit ends instead (typed percent times `unit`, within -limit..limit), with `balance`
// through the entry check. The key is consumed (set to 0); an Alt-arrow key in any other
// column is consumed without effect. Other keys pass.
void nulGridPercentKeyDown(EditorState& editors, StringGrid& grid, int& key, ShiftState shift,
                           std::int64_t limit, std::int64_t unit, bool balance);

}  // namespace vantorell
