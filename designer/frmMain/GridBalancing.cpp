#include "designer/frmMain/GridBalancing.h"

#include <algorithm>
#include <cstdlib>

#include "designer/frmMain/Balancing.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasuresGrid.h"

namespace vantorell {
namespace {

// The data rows' shares (absolute) with their locks, row FixedRows + i as share i.
ShareGroup sharesOfGrid(const StringGrid& grid) {
    std::vector<Share> shares;
    shares.reserve(static_cast<std::size_t>(grid.dataRowCount()));
    for (int r = grid.fixedRows(); r < grid.fixedRows() + grid.dataRowCount(); ++r) {
        shares.push_back(Share{std::llabs(intMeasureValuesPercentGet(grid, r)),
                               !flgMeasureValuesRowUnlocked(grid, r)});
    }
    return ShareGroup(std::move(shares));
}

// Writes the shares that differ from what the grid holds.
void nulSharesStore(StringGrid& grid, const ShareGroup& group) {
    const int col = intMeasureValuesPercentColumn(grid);
    for (int i = 0; i < group.size(); ++i) {
        const int row = grid.fixedRows() + i;
        if (std::llabs(intMeasureValuesPercentGet(grid, row)) != group.value(i)) {
            grid.setCell(col, row, std::to_string(group.value(i)));
        }
    }
}

bool flgBalanceAllowed(const EditorState& editors, int row) {
    const StringGrid& grid = editors.sgdMeasureValues;
    const StringGrid& measures = editors.sgdMeasures;
    return flgDimsCatsAndMeasuresHasValues(editors.tvwDimsCats, measures) &&
           !editors.lstMeasureValuesNodes.empty() &&
           intMeasuresGetTypeNumber(measures, measures.row()) != kMeasureTypeWeighted &&
           intMeasureValuesPercentColumn(grid) >= 0 && row >= grid.fixedRows() &&
           row < grid.fixedRows() + grid.dataRowCount() && flgMeasureValuesRowUnlocked(grid, row) &&
           intUnlockedRowsCount(grid) > 1;
}

}  // namespace

std::string strGridBalanceOtherCellsTo100Percent(EditorState& editors, std::int64_t oldValue,
                                                 int row, std::int64_t& change) {
    const std::string unchanged = std::to_string(oldValue);
    if (change == 0 || !flgBalanceAllowed(editors, row)) {
        change = 0;
        return unchanged;
    }
    StringGrid& grid = editors.sgdMeasureValues;
    if (change > 0) {
        change = std::min({change, intGetOtherBarsUsed(grid, row), kFullShare - oldValue});
    } else if (change < -oldValue) {
        change = -oldValue;
    }
    if (change == 0) {
        return unchanged;
    }

    // The others move the other way: they give when the row gains.
    const int direction = change > 0 ? -1 : 1;
    std::int64_t remaining = std::llabs(change);
    ShareGroup group = sharesOfGrid(grid);
    const int n = group.size();
    const int skip = row - grid.fixedRows();
    if (editors.intBalanceRow < grid.fixedRows() || editors.intBalanceRow >= grid.fixedRows() + n) {
        editors.intBalanceRow = grid.fixedRows();
    }
    int idle = 0;  // rows visited since something last moved
    while (remaining > 0 && idle < n) {
        const int i = editors.intBalanceRow - grid.fixedRows();
        bool moved = false;
        if (i != skip && !group.locked(i)) {
            const std::int64_t v = group.value(i);
            const std::int64_t step = std::min(intPercentageGetStep(v), remaining);
            if (flgShareInRange(v + direction * step) &&
                group.flgChangeable(step, direction, skip, i)) {
                group.setValue(i, v + direction * step);
                remaining -= step;
                moved = true;
            }
        }
        idle = moved ? 0 : idle + 1;
        editors.intBalanceRow = i + 1 < n ? editors.intBalanceRow + 1 : grid.fixedRows();
    }
    nulSharesStore(grid, group);
    // What the others could not give or take stays with them.
    change += change > 0 ? -remaining : remaining;
    return std::to_string(oldValue + change);
}

void nulGridMeasureValuesBalanceToNPercent(EditorState& editors, int first, int last, bool fromEnd,
                                           std::int64_t target) {
    StringGrid& grid = editors.sgdMeasureValues;
    editors.intBalanceRow = first;
    const int fixed = grid.fixedRows();
    if (intMeasureValuesPercentColumn(grid) < 0 || first < fixed || first > last ||
        last >= fixed + grid.dataRowCount()) {
        return;
    }
    ShareGroup group = sharesOfGrid(grid);
    const bool reached =
        flgShareRunBalance(group, first - fixed, last - fixed, fromEnd, target, false);
    nulSharesStore(grid, group);
    if (!reached) {
        nulBalancingFailedMessage(target);
    }
}

}  // namespace vantorell
