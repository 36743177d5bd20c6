#pragma once
// Default names of the tree's nodes: "Dimension <n>" for a dimension and "Category <n>" for a
// category, with the smallest number that no node of the same kind has in its name.

#include <string>

#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

inline constexpr const char* kDimensionNameBase = "Dimension ";
inline constexpr const char* kCategoryNameBase = "Category ";

// base + the smallest n from 1 to 1000000 that no node whose level lies in lowest..highest
// has as its name (base + "1000000" when all are taken).
std::string strTreeCalcNextName(const NodeTree& tree, int lowestLevel, int highestLevel,
                                const std::string& base);

// A name for the node: the base ("Dimension " for a dimension, "Category " for a category
// when none is given) and the smallest number no dimension (or no category) has.
std::string strDimsCatsCalcNextName(const TreeNode& node, const std::string& base);

}  // namespace vantorell
