#include "designer/rtnGrids/GridRows.h"

#include <algorithm>

namespace vantorell {

namespace {

bool isDataRow(const StringGrid& grid, int row) {
    return row >= grid.fixedRows() && row < grid.rowCount();
}

void writeValues(StringGrid& grid, int firstCol, int row, const std::vector<std::string>& values) {
    grid.setColCount(std::max(grid.colCount(), firstCol + static_cast<int>(values.size())));
    for (std::size_t i = 0; i < values.size(); ++i) {
        grid.setCell(firstCol + static_cast<int>(i), row, values[i]);
    }
}

}  // namespace

bool flgGridIsEmpty(const StringGrid& grid) {
    return grid.dataRowCount() == 0;
}

void nulGridClear(StringGrid& grid) {
    grid.beginUpdate();
    grid.setHoldsData(false);
    grid.setRowCount(grid.fixedRows() + 1);
    const int row = grid.fixedRows();
    for (int c = 0; c < grid.colCount(); ++c) {
        grid.setCell(c, row, {});
    }
    grid.endUpdate();
}

void nulGridRowSet(StringGrid& grid, int firstCol, int row,
                   const std::vector<std::string>& values) {
    if (row < 0 || row >= grid.rowCount() || firstCol < 0) {
        return;
    }
    writeValues(grid, firstCol, row, values);
    const bool holdsText =
        std::any_of(values.begin(), values.end(), [](const std::string& v) { return !v.empty(); });
    if (isDataRow(grid, row) && holdsText && flgGridIsEmpty(grid)) {
        grid.setHoldsData(true);
    }
}

void nulGridRowAdd(StringGrid& grid, const std::vector<std::string>& values) {
    int row = 0;
    if (flgGridIsEmpty(grid)) {
        grid.setRowCount(grid.fixedRows() + 1);
        row = grid.fixedRows();
    } else {
        grid.setRowCount(grid.rowCount() + 1);
        row = grid.rowCount() - 1;
    }
    grid.setHoldsData(true);
    writeValues(grid, 0, row, values);
}

void nulGridRowInsert(StringGrid& grid, int row, const std::vector<std::string>& values) {
    if (flgGridIsEmpty(grid)) {
        nulGridRowAdd(grid, values);
        return;
    }
    if (row < grid.fixedRows() || row > grid.rowCount()) {
        return;
    }
    grid.insertRow(row);
    writeValues(grid, 0, row, values);
}

void nulGridRowDelete(StringGrid& grid, int row) {
    if (!isDataRow(grid, row)) {
        return;
    }
    if (grid.rowCount() - grid.fixedRows() == 1) {
        for (int c = 0; c < grid.colCount(); ++c) {
            grid.setCell(c, row, {});
        }
        grid.setHoldsData(false);
        grid.setEditorMode(false);
        grid.excludeOption(goEditing);
        return;
    }
    if (flgGridIsEmpty(grid)) {
        return;
    }
    grid.deleteRow(row);
}

bool flgGridRowsSwap(StringGrid& grid, int a, int b) {
    if (!isDataRow(grid, a) || !isDataRow(grid, b)) {
        return false;
    }
    grid.swapRows(a, b);
    return true;
}

}  // namespace vantorell
