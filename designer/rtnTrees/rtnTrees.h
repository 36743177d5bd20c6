#pragma once
// Routines over the nodes of a tree.

#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

// True when the node has neither a previous nor a next sibling.
bool flgTreeNodeIsOnlyChild(const TreeNode& node);

// For a top-level node the tree's first node; for a node with a previous sibling the first
// child of its parent; otherwise the node itself.
TreeNode* tneTreeNodeFirstSibling(TreeNode* node);

// The node's top-level ancestor; the node itself at level 0.
TreeNode* tneTreeNodeTopLevel(TreeNode* node);

}  // namespace vantorell
