#pragma once
// The irregularities editor: per dimension node and measure, a standard irregularity, an
// inter-family irregularity and a family number.

#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

// Element k of the dimension node's irregularity data: both irregularities 0 and no family.
void nulArrIrregularitiesWorksetSetDefaults(TreeNode& node, int k);

}  // namespace vantorell
