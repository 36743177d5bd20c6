#pragma once
// The tree editor's commands that add, insert and remove nodes, and expand or collapse the
// whole tree. Each commits pending grid edits first and ends by letting the lower editors
// show the selected node again (nulMeasureValuesAndIrregularitiesSetPanels).
//
// Commands that act on the selected node need one: a press on empty space leaves none.
// Then Add sibling, Add child and Insert sibling add a last dimension, as on an empty tree,
// and Remove and the moves do nothing.

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// Placeholder text of a node until it has its name.
inline constexpr const char* kNewNodeText = "DimCat";

// Adds a node and returns it, selected and in in-place editing, with a default name, a
// generated code and default working data for every measure row:
// - `insert`: right before `node`, among its siblings;
// - an empty tree, or no `node`: as the last dimension;
// - `child`: as the last child of `node`;
// - otherwise right after `node`, among its siblings.
// A child that would lie deeper than a model keeps categories is refused with a "Sorry..."
// message: none is added and none returned.
TreeNode* fneDimsCatsAddInsertNode(EditorState& editors, TreeNode* node, bool insert, bool child);

void tbnDimsCatsAddSiblingClick(EditorState& editors);
void tbnDimsCatsAddChildClick(EditorState& editors);
void tblDimsCatsInsertSiblingClick(EditorState& editors);

// Deletes the selected node with its subtree; its siblings take its shares (once for the
// group: the groups inside the subtree go with it). The visible node after the subtree,
// else the one before it, becomes selected and is returned. A delete that would leave a
// parent named ">..." without subcategories is refused with a message. A measure weighted
// by a removed dimension is left without a weighting dimension, as a measure whose source
// is removed is left without a source.
TreeNode* fneDimsCatsDeleteNodes(EditorState& editors);
void tbnDimsCatsRemClick(EditorState& editors);

// Every node expanded / collapsed; the lower panels stay, unless the selected node was
// hidden by the collapse: its dimension is then selected and shown in the lower panels.
void tbnDimsCatsExpandAllClick(EditorState& editors);
void tbnDimsCatsCollapseAllClick(EditorState& editors);

}  // namespace vantorell
