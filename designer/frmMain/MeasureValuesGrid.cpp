#include "designer/frmMain/MeasureValuesGrid.h"

#include <charconv>
#include <cstdlib>

namespace vantorell {

int intMeasureValuesLockedColumn(const StringGrid& grid) {
    return intGridColumnIndexGetByHeading(grid, kMeasureValuesSharesHeadings[1]);
}

int intMeasureValuesPercentColumn(const StringGrid& grid) {
    return intGridColumnIndexGetByHeading(grid, kMeasureValuesSharesHeadings[2]);
}

bool flgMeasureValuesRowUnlocked(const StringGrid& grid, int row) {
    const int col = intMeasureValuesLockedColumn(grid);
    return col >= 0 && grid.cell(col, row) == "False";
}

std::int64_t intPercentTextGet(const std::string& text) {
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

std::int64_t intMeasureValuesPercentGet(const StringGrid& grid, int row) {
    const int col = intMeasureValuesPercentColumn(grid);
    return col < 0 ? 0 : intPercentTextGet(grid.cell(col, row));
}

std::int64_t intGetOtherBarsUsed(const StringGrid& grid, int row) {
    std::int64_t sum = 0;
    for (int r = grid.fixedRows(); r < grid.fixedRows() + grid.dataRowCount(); ++r) {
        if (r != row && flgMeasureValuesRowUnlocked(grid, r)) {
            sum += std::llabs(intMeasureValuesPercentGet(grid, r));
        }
    }
    return sum;
}

int intUnlockedRowsCount(const StringGrid& grid) {
    int count = 0;
    for (int r = grid.fixedRows(); r < grid.fixedRows() + grid.dataRowCount(); ++r) {
        if (flgMeasureValuesRowUnlocked(grid, r)) {
            ++count;
        }
    }
    return count;
}

int strGridPercentagesToArray(const StringGrid& grid, TDynamicArrayOfStrings& texts) {
    texts.clear();
    const int col = intMeasureValuesPercentColumn(grid);
    if (col < 0) {
        return 0;
    }
    for (int r = grid.fixedRows(); r < grid.fixedRows() + grid.dataRowCount(); ++r) {
        texts.push_back((flgMeasureValuesRowUnlocked(grid, r) ? "" : "|") + grid.cell(col, r));
    }
    return static_cast<int>(texts.size());
}

}  // namespace vantorell
