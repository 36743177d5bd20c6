#pragma once
// Balancing in the measure values grid: the other unlocked rows give or take what one row
// gains or loses, and a run of rows is brought to a target total. Locked rows keep their
// shares, and no share leaves 0..1,000,000.

#include <cstdint>
#include <string>

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// Row `row`, which held `oldValue`, is to change by `change`: the other unlocked rows give
// (change > 0) or take (change < 0) the difference, one row at a time by its step, from
// intBalanceRow on, which moves on with every row visited. A rise is cut to what the other
// unlocked rows hold, a fall to the old value. Nothing moves while tree or measures are
// empty, for a dimension or a weighted measure, for a locked row or when no other row is
// unlocked. `change` becomes the change the others made room for; the result is the text
// the row is to hold.
std::string strGridBalanceOtherCellsTo100Percent(EditorState& editors, std::int64_t oldValue,
                                                 int row, std::int64_t& change);

// Brings the "Percent" cells of grid rows first..last to `target` total, a tenth of a share
// (at least 1) at a time, from the first row or, with `fromEnd`, the last one, round and
// round; intBalanceRow goes back to `first`. Locked rows keep their shares. A run that
// misses its target gets the "Balancing Percentages" message and keeps what was balanced.
void nulGridMeasureValuesBalanceToNPercent(EditorState& editors, int first, int last, bool fromEnd,
                                           std::int64_t target);

}  // namespace vantorell
