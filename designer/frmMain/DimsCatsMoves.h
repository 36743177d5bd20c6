#pragma once
// The tree editor's moves of the selected node. Up and down keep the node among its
// siblings, so a category never leaves its dimension that way, while dimensions change
// places among themselves; left and right change its level, and with it the sibling group
// that shares its parent's part: the node leaves its old group with no share (its siblings
// take it) and joins the new one with none, or with 100 % as an only child. A node that
// passes between level 0 and a deeper level gets working data of its new kind. Each move
// commits pending grid edits first and ends by letting the lower editors show the selected
// node again; without a selected node nothing moves.
//
// A move left or right is refused with a "Sorry..." message when the node's new siblings
// already have its name, or when it would leave a node named ">..." as a category without
// subcategories, which a model file cannot keep, or, for a move right, when the node's
// subtree would reach deeper than the levels a model keeps.

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// Before its previous sibling; nothing when it has none.
void tbnDimsCatsMoveUpClick(EditorState& editors);
// After its next sibling; nothing when it has none.
void tbnDimsCatsMoveDownClick(EditorState& editors);
// One level up, right after its parent; nothing for a dimension.
void tbnDimsCatsMoveLeftClick(EditorState& editors);
// One level down, as the last child of its previous sibling; nothing when it has none.
void tbnDimsCatsMoveRightClick(EditorState& editors);

}  // namespace vantorell
