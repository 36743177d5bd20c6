#pragma once
// The dimension and category tree editor: queries over the tree, node icons, the release of
// a node's working data and the code list beside the tree.

#include <cstdint>
#include <string>

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// Images of the tree's nodes: a dimension, a selected dimension, a category, a selected one.
inline constexpr int kDimensionImage = 0;
inline constexpr int kDimensionSelectedImage = 1;
inline constexpr int kCategoryImage = 2;
inline constexpr int kCategorySelectedImage = 3;

// The tree has at least one node.
bool flgDimsCatsHasValues(const NodeTree& tree);
// The tree has a node and the measures grid holds a measure.
bool flgDimsCatsAndMeasuresHasValues(const NodeTree& tree, const StringGrid& sgdMeasures);

// The enabled states of the tree editor's tool buttons (and of the pop-up menu entries that
// run them). Add sibling, Add child and Insert sibling are always enabled; Remove and the
// four moves act on the selected node and are enabled while one is selected; Expand all
// and Collapse all while the tree has nodes.
struct DimsCatsButtonState {
    bool nodeButtons = false;
    bool treeButtons = false;
    bool operator==(const DimsCatsButtonState&) const = default;
};
DimsCatsButtonState nulDimsCatsSetButtonState(const NodeTree& tree);

// The deepest level in the node's subtree: its own level when it has no children.
int intDimsCatsDeepestLevel(const TreeNode& node);

// The "Sorry..." text that refuses a step taking the item's subtree deeper than a model
// keeps categories: `step` says what was refused ("cannot take a child item").
std::string strDimsCatsDepthRefusal(const TreeNode& node, const std::string& step);

// The node's images by its level.
void nulDimsCatsNodeSetIcon(TreeNode& node);

// Releases the node's working data; false when it had none.
bool flgDimsCatsNodeExtDataDelete(TreeNode& node);

// Sets the category's shares of every independent measure, negative and positive alike, to
// `percentage`; its siblings give or take the difference (flgArrSiblingsBalanceTo100Percent),
// so that both sides of each group stay at 100 %, whatever sign the measure values grid
// shows. True when anything was set; dimensions and weighted measures are left alone.
bool flgNodePercentValueSet(EditorState& editors, TreeNode& node, std::int64_t percentage);

// The category leaves its sibling group: its shares of every independent measure, positive
// and negative, become 0 and its siblings take them (flgArrSiblingsBalanceTo100Percent), so
// that the group keeps its total. What the unlocked siblings cannot take goes to the locked
// ones, from the first on: a group that loses a member still totals 100 %. Nothing for a
// dimension.
void nulDimsCatsNodeSharesRelease(EditorState& editors, TreeNode& node);

// Deletion of a node: its working data is released.
void tvwDimsCatsDeletion(TreeNode& node);

// Refills the code list: from the tree's first row in view, one item per visible node in
// depth-first order, until the list holds as many items as it can show.
void nulDimsCatsDisplayCodes(EditorState& editors);

}  // namespace vantorell
