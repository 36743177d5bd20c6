#pragma once
// Arithmetic that keeps a sibling group's shares at 100 % (1,000,000): the step rule, the
// changeability test that respects locks, and the balancing of a run of shares to a target.
// Shares travel as texts, one per sibling, "|" before the share of a locked one.

#include <cstdint>
#include <string>

#include "designer/frmMain/ShareGroup.h"
#include "designer/rtnGrids/GridLookups.h"

namespace vantorell {

// A tenth of the largest power of ten not above |v|, at least 1; 1000 for 0.
// 345 gives 10, 7 and 12 give 1, 1,000,000 gives 100,000.
std::int64_t intPercentageGetStep(std::int64_t value);

// The share of a text ("|" before a locked one); a text that is no number reads as 0.
Share shareOfText(const std::string& text);
std::string strShareText(const Share& share);

// Whether the entry at `index` may take a change of `step` in `direction` (+1 or -1): yes
// when the step is not below the entry's own step (a locked entry's counts as one more);
// otherwise only when no other unlocked entry (but `skip`) of matching magnitude could take
// it within 0..1,000,000. So a change goes to entries of its own magnitude first.
bool flgArrPercentagesIsCellChangeable(std::int64_t step, int direction,
                                       const TDynamicArrayOfStrings& texts, int skip, int index);

// Brings the entries first..last to the total `target`, moving one entry at a time by its
// step (at most what is left), from the first or, with `fromEnd`, the last entry on and
// round again. Locked entries keep their shares. It stops after a full round in which
// nothing moved; a run that then misses the target gets the "Balancing Percentages"
// message.
void strArrBalanceToNPercent(TDynamicArrayOfStrings& texts, int first, int last, bool fromEnd,
                             std::int64_t target);

// The "Balancing Percentages" message for a run that missed its target.
void nulBalancingFailedMessage(std::int64_t target);

}  // namespace vantorell
