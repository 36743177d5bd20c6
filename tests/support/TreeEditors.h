#pragma once
// Editors for the tree editor's tests: the small model (dimensions Region and Product, the
// independent measure Revenue and the weighted measure Units, weighted by Product) in the
// working copy, nodes found by their path of names ("Product/Hardware/Phones"), the
// in-place edits the commands start recorded, and the rule every tree edit keeps: each
// sibling group of categories totals exactly 100 % on both signs for every independent
// measure.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "designer/rtnTrees/NodeTree.h"
#include "tests/support/TestEditors.h"

namespace vantorell::test {

// Records the node whose text went into in-place editing last.
class RecordingTreePort : public TreePort {
public:
    void editText(TreeNode& node) override { edited = &node; }
    void endEdit(bool) override { edited = nullptr; }
    bool isEditing() const override { return edited != nullptr; }
    TreeNode* topItem() const override { return nullptr; }
    void focusTree() override {}
    TreeNode* edited = nullptr;
};

class TreeEditors : public TestEditors {
public:
    // Empty editors: no nodes, the measures grid with its blank row.
    explicit TreeEditors(const std::string& programFolder);
    ~TreeEditors();

    // Replaces the working copy with the small model; nothing is selected.
    void loadSmallModel();

    // The node at the path of names, none when there is none.
    TreeNode* node(const std::string& path) const;
    // Selects the node at the path (which must exist) and returns it.
    TreeNode* select(const std::string& path);
    // Names of the parent's children (of the dimensions for an empty path), in order.
    std::vector<std::string> children(const std::string& path) const;
    // The tree as lines "<indent><name> <code>", two blanks of indent per level.
    std::vector<std::string> outline() const;
    // Shares of measure k of the parent's children, in order.
    std::vector<int> shares(const std::string& path, int k, bool negative) const;

    RecordingTreePort port;
};

// Every sibling group of categories totals 1,000,000 on both signs for every independent
// measure row.
::testing::AssertionResult treeSharesBalanced(const EditorState& editors);

}  // namespace vantorell::test
