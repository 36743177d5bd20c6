#include "designer/frmMain/PercentInput.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "designer/frmMain/GridBalancing.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/NumericCommit.h"

namespace vantorell {
namespace {

bool flgDataCell(const StringGrid& grid, int col, int row) {
    return col >= grid.fixedCols() && col < grid.colCount() && row >= grid.fixedRows() &&
           row < grid.rowCount() && !grid.cell(col, row).empty();
}

std::int64_t intCellValue(const StringGrid& grid, int col, int row) {
    return intPercentTextGet(grid.cell(col, row));
}

bool flgPercentColumn(const StringGrid& grid, int col) {
    return grid.cell(col, 0).find("Percent") != std::string::npos;
}

bool flgArrowKey(int key) {
    return key == vk::Left || key == vk::Up || key == vk::Right || key == vk::Down;
}

}  // namespace

double dblGridBarDeltaFromMouse(const StringGrid& grid, int col, int row, double fullScale,
                                double unit, int x) {
    if (!flgDataCell(grid, col, row)) {
        return -1;
    }
    const double old = static_cast<double>(std::llabs(intCellValue(grid, col, row)));
    const Rect cell = grid.cellRect(col, row);
    const int usable = cell.width() - 4;
    if (usable <= 0 || unit <= 0 || fullScale <= 0) {
        return 0;  // no bar to point at
    }
    const double full = fullScale * unit;
    // The position in snapping steps: h / g reduces to whole pixels, so whole-percent
    // positions come out exact.
    const double steps = std::trunc(1e6 * (x - cell.left) / (usable * unit));
    const double v = std::clamp(steps * unit * full / 1e6, 0.0, full);
    return v - old;
}

std::int64_t nulGridBarSetFromMouse(EditorState& editors, StringGrid& grid, int col, int row,
                                    bool balance, double fullScale, double unit, int x) {
    if (!flgDataCell(grid, col, row)) {
        return 0;
    }
    const std::int64_t old = std::llabs(intCellValue(grid, col, row));
    std::int64_t change = static_cast<std::int64_t>(
        std::trunc(dblGridBarDeltaFromMouse(grid, col, row, fullScale, unit, x)));
    if (balance) {
        grid.setCell(col, row, strGridBalanceOtherCellsTo100Percent(editors, old, row, change));
    } else {
        grid.setCell(col, row, std::to_string(old + change));
    }
    return change;
}

namespace {

void nulBarFollowsMouse(EditorState& editors, const GridBarMouse& bars, const GridMouseEvent& e) {
    if (bars.flgBarCell(editors, e.col, e.row)) {
        nulGridBarSetFromMouse(editors, bars.grid(editors), e.col, e.row, bars.balance,
                               bars.fullScale(editors), bars.unit, e.x);
    }
}

}  // namespace

void nulGridBarMouseDown(EditorState& editors, const GridBarMouse& bars,
                         const GridMouseEvent& event) {
    if (event.button == MouseButton::Left) {
        nulBarFollowsMouse(editors, bars, event);
    }
}

void nulGridBarMouseMove(EditorState& editors, const GridBarMouse& bars,
                         const GridMouseEvent& event) {
    if (!event.shift.left) {
        return;
    }
    if (bars.previousTextOnMove) {
        const StringGrid& grid = bars.grid(editors);
        editors.strCellPreviousText = grid.cell(grid.col(), grid.row());
    }
    nulBarFollowsMouse(editors, bars, event);
}

void nulGridPercentKeyDown(EditorState& editors, StringGrid& grid, int& key, ShiftState shift,
                           std::int64_t limit, std::int64_t unit, bool balance) {
    if (!shift.alt || !flgArrowKey(key)) {
        return;
    }
    const int col = grid.col();
    const int row = grid.row();
    if (grid.editorMode()) {
        if (flgPercentColumn(grid, col)) {
            key = 0;
            if (balance) {
                nulMeasureValuesPercentEditEnd(editors);
            } else {
                flgGridNumericEditCommit(grid, unit, limit, editors.strCellPreviousText);
            }
        }
        return;
    }
    const int pressed = key;
    key = 0;
    if (!flgPercentColumn(grid, col) || !flgDataCell(grid, col, row)) {
        return;
    }
    const std::int64_t v = intCellValue(grid, col, row);
    if (balance) {
        const std::int64_t old = std::llabs(v);
        std::int64_t change = pressed == vk::Left    ? -1
                              : pressed == vk::Right ? 1
                              : pressed == vk::Up    ? limit - old
                                                     : -old;
        grid.setCell(col, row, strGridBalanceOtherCellsTo100Percent(editors, old, row, change));
        return;
    }
    const std::int64_t next = pressed == vk::Left    ? std::max<std::int64_t>(0, v - 1)
                              : pressed == vk::Right ? std::min(limit, v + 1)
                              : pressed == vk::Up    ? limit
                                                     : 0;
    grid.setCell(col, row, std::to_string(next));
}

}  // namespace vantorell
