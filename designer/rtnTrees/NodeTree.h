#pragma once
// A tree of nodes without widgets, standing in for the tree view's nodes: each node has its
// text, level, children and data; walks in pre-order cost one step per node.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "designer/rtnTrees/TreeListener.h"

namespace vantorell {

// Base of the data an editor hangs on a node; the node owns it.
class TreeNodeData {
public:
    virtual ~TreeNodeData() = default;
};

// Where moveTo puts a node, relative to the destination: as its last or first sibling, as
// its last or first child, or right before it.
enum class NodeAttachMode { Add, AddFirst, AddChild, AddChildFirst, Insert };

class NodeTree;

class TreeNode {
public:
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    NodeTree& owner() const { return *tree_; }

    const std::string& text() const { return text_; }
    void setText(const std::string& text);

    // 0 for a top-level node.
    int level() const;
    // None for a top-level node.
    TreeNode* parent() const;
    bool hasChildren() const { return !children_.empty(); }
    int count() const { return static_cast<int>(children_.size()); }
    TreeNode* item(int index) const;
    TreeNode* getFirstChild() const {
        return children_.empty() ? nullptr : children_.front().get();
    }
    TreeNode* getLastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
    TreeNode* getPrevSibling() const;
    TreeNode* getNextSibling() const;
    // Position among its siblings, from 0.
    int index() const { return index_; }
    // Position in the whole tree in pre-order, from 0 (walks the tree).
    int absoluteIndex() const;
    // Next node in pre-order, none after the last.
    TreeNode* getNext() const;
    TreeNode* getNextVisible() const;
    TreeNode* getPrevVisible() const;
    // True when the node lies in this node's subtree below it.
    bool isAncestorOf(const TreeNode& node) const;

    bool expanded() const { return expanded_; }
    // Collapsing a node whose subtree holds the selected node selects the node itself.
    void setExpanded(bool expanded);
    // Every ancestor is expanded.
    bool isVisible() const;

    int imageIndex() const { return imageIndex_; }
    void setImageIndex(int index);
    int selectedIndex() const { return selectedIndex_; }
    void setSelectedIndex(int index);

    TreeNodeData* data() const { return data_.get(); }
    template <class T>
    T* dataAs() const {
        return dynamic_cast<T*>(data_.get());
    }
    void setData(std::unique_ptr<TreeNodeData> data) { data_ = std::move(data); }
    std::unique_ptr<TreeNodeData> takeData() { return std::move(data_); }

    // False and nothing moved when the node would land in its own subtree.
    bool moveTo(TreeNode* destination, NodeAttachMode mode);

private:
    friend class NodeTree;
    // The node that follows this node's subtree in pre-order.
    TreeNode* nextAfterSubtree() const;
    explicit TreeNode(NodeTree* tree, TreeNode* parent, std::string text)
        : tree_(tree), parent_(parent), text_(std::move(text)) {}

    NodeTree* tree_;
    TreeNode* parent_;  // the tree's hidden root for a top-level node; none for the root
    std::string text_;
    std::vector<std::unique_ptr<TreeNode>> children_;
    int index_ = 0;
    bool expanded_ = false;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    std::unique_ptr<TreeNodeData> data_;
};

class NodeTree {
public:
    NodeTree();
    ~NodeTree();
    NodeTree(const NodeTree&) = delete;
    NodeTree& operator=(const NodeTree&) = delete;

    // Every node of the tree.
    int count() const { return count_; }
    TreeNode* getFirstNode() const { return root_->getFirstChild(); }
    int topLevelCount() const { return root_->count(); }
    TreeNode* topLevelItem(int index) const { return root_->item(index); }

    // A new last sibling of `sibling` (a last top-level node when none).
    TreeNode* add(TreeNode* sibling, const std::string& text);
    // A new last child of `parent` (a last top-level node when none).
    TreeNode* addChild(TreeNode* parent, const std::string& text);
    // A new node right before `sibling` (a last top-level node when none).
    TreeNode* insert(TreeNode* sibling, const std::string& text);
    // Deletes the node with its subtree; every deleted node passes through onDeletion first,
    // children before their parent, while the tree is still whole.
    void deleteNode(TreeNode* node);
    void clear();
    // Moves every node of `other` to the end of this tree's top level, data and all; the
    // views of both trees are told of one reset. A tree built aside so joins this one whole
    // or not at all.
    void adoptNodes(NodeTree& other);

    TreeNode* selected() const { return selected_; }
    // Expands the node's ancestors, so that the selected node is always in view.
    void setSelected(TreeNode* node);

    void fullExpand();
    void fullCollapse();

    // Changes between these reach the view as one reset.
    void beginUpdate();
    void endUpdate();

    // Called by the view when an in-place edit of the node's text ends; onEdited may change
    // the text (to refuse it, the node's current text), and the node then takes the text.
    void edited(TreeNode& node, std::string text);
    std::function<void(TreeNode& node, std::string& text)> onEdited;
    std::function<void(TreeNode& node)> onDeletion;

    void setListener(TreeListener* listener) { listener_ = listener; }
    TreePort* port() const { return port_; }
    void setPort(TreePort* port) { port_ = port; }

    void editText(TreeNode& node);
    void endEdit(bool cancel);
    bool isEditing() const;
    TreeNode* topItem() const;
    void setFocus();

private:
    friend class TreeNode;

    TreeNode* insertAt(TreeNode* parent, int index, const std::string& text);
    bool moveNode(TreeNode& node, TreeNode* parent, int index);
    static void renumber(TreeNode& parent, int from);
    static void destroy(std::unique_ptr<TreeNode> node);
    TreeNode* publicParent(TreeNode* internal) const;
    bool notifying();  // true when single notifications go out now

    std::unique_ptr<TreeNode> root_;
    int count_ = 0;
    TreeNode* selected_ = nullptr;
    int updateDepth_ = 0;
    bool resetBegun_ = false;
    TreeListener* listener_ = nullptr;
    TreePort* port_ = nullptr;
};

}  // namespace vantorell
