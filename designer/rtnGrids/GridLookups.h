#pragma once
// Finding rows and columns by text, unique values, replacing texts, and a column's data
// cells as a text array. Every comparison is exact and case-sensitive. Only the rows that
// hold data are searched: an empty grid's blank row matches nothing.

#include <string>
#include <vector>

#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

using TDynamicArrayOfStrings = std::vector<std::string>;

// First column whose row-0 text, without leading and trailing blanks, equals the heading.
int intGridColumnIndexGetByHeading(const StringGrid& grid, const std::string& heading);

// prefix + the smallest n in 1..1000000 that no data row of the column holds.
std::string strGridColumnUniqueValue(const StringGrid& grid, int col, const std::string& prefix);

int intGridRowFindOther(const StringGrid& grid, int col, const std::string& text, int skippedRow);
int intGridRowFind(const StringGrid& grid, int col, const std::string& text);
// The lookup that once started at row 0: it searches the data rows only, so that a heading
// never answers for a value, and gives -1 when nothing is found.
int intGridRowFindAll(const StringGrid& grid, int col, const std::string& text);

// Rows outer, columns inner; the rectangle is cut to the grid.
void nulGridCellsReplace(StringGrid& grid, int firstCol, int lastCol, int firstRow, int lastRow,
                         const std::string& find, const std::string& replacement);

// The column's data cells in row order; the count of entries is returned.
int intGridColumnToStringArray(const StringGrid& grid, int col, TDynamicArrayOfStrings& texts);

}  // namespace vantorell
