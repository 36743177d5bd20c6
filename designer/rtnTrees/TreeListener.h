#pragma once
// What a view of a node tree is told. Structural changes come in pairs, the first before the
// tree changes and the second after it; a parent of none means the top level.

namespace vantorell {

class TreeNode;

class TreeListener {
public:
    virtual ~TreeListener() = default;
    virtual void treeAboutToInsert(TreeNode* parent, int index) = 0;
    virtual void treeInserted() = 0;
    virtual void treeAboutToRemove(TreeNode& node) = 0;
    virtual void treeRemoved() = 0;
    // `index` counts the new parent's children before the move.
    virtual void treeAboutToMove(TreeNode& node, TreeNode* newParent, int index) = 0;
    virtual void treeMoved() = 0;
    virtual void treeAboutToReset() = 0;
    virtual void treeReset() = 0;
    virtual void treeNodeChanged(TreeNode& node) = 0;
    virtual void treeExpansionChanged(TreeNode& node) = 0;
    virtual void treeSelectionChanged() = 0;
};

// The tree's link to the view that shows it.
class TreePort {
public:
    virtual ~TreePort() = default;
    // In-place editing of a node's text; ending it hands the text to NodeTree::edited.
    virtual void editText(TreeNode& node) = 0;
    virtual void endEdit(bool cancel) = 0;
    virtual bool isEditing() const = 0;
    // The first node in view, or none.
    virtual TreeNode* topItem() const = 0;
    virtual void focusTree() = 0;
};

}  // namespace vantorell
