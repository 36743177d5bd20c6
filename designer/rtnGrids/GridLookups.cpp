#include "designer/rtnGrids/GridLookups.h"

#include <algorithm>
#include <charconv>

#include "designer/rtnGrids/TrimBlanks.h"

namespace vantorell {

namespace {

constexpr int kUniqueLimit = 1000000;

int firstDataRow(const StringGrid& grid) {
    return grid.fixedRows();
}
int endDataRow(const StringGrid& grid) {
    return grid.fixedRows() + grid.dataRowCount();
}

}  // namespace

int intGridColumnIndexGetByHeading(const StringGrid& grid, const std::string& heading) {
    for (int c = 0; c < grid.colCount(); ++c) {
        if (trimBlanks(grid.cell(c, 0)) == heading) {
            return c;
        }
    }
    return -1;
}

std::string strGridColumnUniqueValue(const StringGrid& grid, int col, const std::string& prefix) {
    // The smallest free number is at most one above the number of rows.
    const int limit = std::min(kUniqueLimit, grid.dataRowCount() + 1);
    std::vector<bool> taken(static_cast<std::size_t>(limit) + 1, false);
    for (int r = firstDataRow(grid); r < endDataRow(grid); ++r) {
        const std::string& text = grid.cell(col, r);
        if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const char* first = text.data() + prefix.size();
        const char* last = text.data() + text.size();
        if (*first == '0') {
            continue;  // prefix + n never has a leading zero
        }
        int n = 0;
        const auto [ptr, ec] = std::from_chars(first, last, n);
        if (ec == std::errc() && ptr == last && n >= 1 && n <= limit) {
            taken[static_cast<std::size_t>(n)] = true;
        }
    }
    for (int n = 1; n <= limit; ++n) {
        if (!taken[static_cast<std::size_t>(n)]) {
            return prefix + std::to_string(n);
        }
    }
    return prefix + std::to_string(kUniqueLimit);
}

int intGridRowFindOther(const StringGrid& grid, int col, const std::string& text, int skippedRow) {
    for (int r = firstDataRow(grid); r < endDataRow(grid); ++r) {
        if (r != skippedRow && grid.cell(col, r) == text) {
            return r;
        }
    }
    return -1;
}

int intGridRowFind(const StringGrid& grid, int col, const std::string& text) {
    return intGridRowFindOther(grid, col, text, -1);
}

int intGridRowFindAll(const StringGrid& grid, int col, const std::string& text) {
    return intGridRowFind(grid, col, text);
}

void nulGridCellsReplace(StringGrid& grid, int firstCol, int lastCol, int firstRow, int lastRow,
                         const std::string& find, const std::string& replacement) {
    firstCol = std::max(firstCol, 0);
    lastCol = std::min(lastCol, grid.colCount() - 1);
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, grid.rowCount() - 1);
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = firstCol; c <= lastCol; ++c) {
            if (grid.cell(c, r) == find) {
                grid.setCell(c, r, replacement);
            }
        }
    }
}

int intGridColumnToStringArray(const StringGrid& grid, int col, TDynamicArrayOfStrings& texts) {
    texts.clear();
    for (int r = firstDataRow(grid); r < endDataRow(grid); ++r) {
        texts.push_back(grid.cell(col, r));
    }
    return static_cast<int>(texts.size());
}

}  // namespace vantorell
