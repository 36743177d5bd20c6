#pragma once
// The measure values grid's layout and what the balancing reads from it: one heading row,
// the "For" column as heading column, then "Locked?" and "Percent" for an independent
// measure or the three ratios for a weighted one; one data row per sibling.

#include <array>
#include <cstdint>
#include <string>

#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

inline constexpr std::array<const char*, 3> kMeasureValuesSharesHeadings = {"For", "Locked?",
                                                                            "Percent"};
inline constexpr std::array<const char*, 4> kMeasureValuesRatiosHeadings = {
    "For", "Max. Ratio", "Avg. Ratio", "Min. Ratio"};

// A typed percentage becomes a share in millionths: 12.5 is stored as 125000.
inline constexpr std::int64_t kMeasureValuesPercentUnit = 10'000;
inline constexpr std::int64_t kMeasureValuesPercentLimit = 1'000'000;

// Columns by heading; -1 when the grid shows the ratios.
int intMeasureValuesLockedColumn(const StringGrid& grid);
int intMeasureValuesPercentColumn(const StringGrid& grid);

// Only a row whose "Locked?" reads "False" takes part in balancing.
bool flgMeasureValuesRowUnlocked(const StringGrid& grid, int row);

// A percentage cell's text as an integer; 0 when it is no whole number.
std::int64_t intPercentTextGet(const std::string& text);

// The row's "Percent" cell as an integer; 0 when it holds no number.
std::int64_t intMeasureValuesPercentGet(const StringGrid& grid, int row);

// Sum of the absolute shares of the unlocked rows other than `row`.
std::int64_t intGetOtherBarsUsed(const StringGrid& grid, int row);

// Number of data rows whose "Locked?" reads "False".
int intUnlockedRowsCount(const StringGrid& grid);

// The "Percent" column as a text array, one entry per data row, "|" before a locked row's.
int strGridPercentagesToArray(const StringGrid& grid, TDynamicArrayOfStrings& texts);

}  // namespace vantorell
