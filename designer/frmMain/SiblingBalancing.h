#pragma once
// Balancing in the tree: when a category's share of a measure changes, its siblings give or
// take the difference, so that the group stays at 100 %. Locked siblings keep their shares,
// and no share leaves 0..1,000,000.

#include <cstdint>

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridLookups.h"

namespace vantorell {

// The shares of the node and all its siblings for measure k, negative or positive, one text
// per sibling in sibling order, "|" before a locked one's (and before that of a sibling with
// no element k, which balancing must not touch). Returns the count.
int intArrSiblingsPercentagesGet(const TreeNode& node, bool negative, TDynamicArrayOfStrings& texts,
                                 int k);

// The category's share (negative or positive) of measure k changes by `delta`: the siblings,
// from the first one on, round and round, give (delta > 0) or take (delta < 0) it one step
// at a time, the change going to siblings of its own magnitude first. The node's own share
// then changes by delta all the same (kept within 0..1,000,000). False when the siblings
// could not take all of it (also when there are none), and when tree or measures are empty,
// where nothing changes.
bool flgArrSiblingsBalanceTo100Percent(EditorState& editors, TreeNode& node, bool negative,
                                       std::int64_t delta, int k);

}  // namespace vantorell
