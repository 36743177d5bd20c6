#pragma once
// Row operations. A grid always keeps at least one data row: when it holds nothing it shows
// one blank row, and adding reuses that row instead of appending another.

#include <string>
#include <vector>

#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

// True when the grid holds no data rows, whatever its blank rows show.
bool flgGridIsEmpty(const StringGrid& grid);

// Empties every data row and leaves exactly one blank data row.
void nulGridClear(StringGrid& grid);

// The values go into the row from the first column on; ColCount grows to take them all.
void nulGridRowSet(StringGrid& grid, int firstCol, int row, const std::vector<std::string>& values);

// Appends a row of values from column 0; an empty grid takes them into its blank row.
void nulGridRowAdd(StringGrid& grid, const std::vector<std::string>& values);

// Inserts a row of values before `row` (the current row), which moves down with the rows
// below it; on an empty grid this is nulGridRowAdd.
void nulGridRowInsert(StringGrid& grid, int row, const std::vector<std::string>& values);

// Removes a data row; the last data row is only blanked, with editing switched off.
void nulGridRowDelete(StringGrid& grid, int row);

// Exchanges two data rows; false and nothing changed when either is not a data row.
bool flgGridRowsSwap(StringGrid& grid, int a, int b);

}  // namespace vantorell
