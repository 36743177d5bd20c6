#include "designer/rtnTrees/NodeTree.h"

#include <utility>

namespace vantorell {

namespace {

// Deepest first descendant: where a post-order walk of the node's subtree starts.
TreeNode* firstInPostOrder(TreeNode* node) {
    while (node->hasChildren()) {
        node = node->getFirstChild();
    }
    return node;
}

// Calls `fn` for every node of the subtree, children before their parent.
template <class Fn>
void forEachPostOrder(TreeNode& subtree, Fn&& fn) {
    TreeNode* node = firstInPostOrder(&subtree);
    for (;;) {
        TreeNode* const current = node;
        if (current != &subtree) {
            TreeNode* next = current->getNextSibling();
            node = next != nullptr ? firstInPostOrder(next) : current->parent();
        }
        fn(*current);
        if (current == &subtree) {
            return;
        }
    }
}

}  // namespace

// --- TreeNode ---

void TreeNode::setText(const std::string& text) {
    if (text_ == text) {
        return;
    }
    text_ = text;
    if (tree_->notifying()) {
        tree_->listener_->treeNodeChanged(*this);
    }
}

int TreeNode::level() const {
    int level = -1;
    for (const TreeNode* n = parent_; n != nullptr; n = n->parent_) {
        ++level;
    }
    return level;
}

TreeNode* TreeNode::parent() const {
    return parent_ != nullptr && parent_->parent_ != nullptr ? parent_ : nullptr;
}

TreeNode* TreeNode::item(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return children_[static_cast<std::size_t>(index)].get();
}

TreeNode* TreeNode::getPrevSibling() const {
    return parent_ != nullptr ? parent_->item(index_ - 1) : nullptr;
}

TreeNode* TreeNode::getNextSibling() const {
    return parent_ != nullptr ? parent_->item(index_ + 1) : nullptr;
}

int TreeNode::absoluteIndex() const {
    int index = 0;
    for (const TreeNode* n = tree_->getFirstNode(); n != nullptr && n != this; n = n->getNext()) {
        ++index;
    }
    return index;
}

TreeNode* TreeNode::nextAfterSubtree() const {
    for (const TreeNode* n = this; n != nullptr; n = n->parent()) {
        if (TreeNode* next = n->getNextSibling()) {
            return next;
        }
    }
    return nullptr;
}

TreeNode* TreeNode::getNext() const {
    return hasChildren() ? getFirstChild() : nextAfterSubtree();
}

TreeNode* TreeNode::getNextVisible() const {
    return expanded_ && hasChildren() ? getFirstChild() : nextAfterSubtree();
}

TreeNode* TreeNode::getPrevVisible() const {
    TreeNode* prev = getPrevSibling();
    if (prev == nullptr) {
        return parent();
    }
    while (prev->expanded_ && prev->hasChildren()) {
        prev = prev->getLastChild();
    }
    return prev;
}

bool TreeNode::isAncestorOf(const TreeNode& node) const {
    for (const TreeNode* n = node.parent_; n != nullptr; n = n->parent_) {
        if (n == this) {
            return true;
        }
    }
    return false;
}

void TreeNode::setExpanded(bool expanded) {
    if (expanded_ == expanded) {
        return;
    }
    expanded_ = expanded;
    if (tree_->notifying()) {
        tree_->listener_->treeExpansionChanged(*this);
    }
    // A selection hidden under the collapsed node moves up to it, so that the selected node
    // is always a row in view.
    if (!expanded && tree_->selected_ != nullptr && isAncestorOf(*tree_->selected_)) {
        tree_->setSelected(this);
    }
}

bool TreeNode::isVisible() const {
    for (const TreeNode* n = parent(); n != nullptr; n = n->parent()) {
        if (!n->expanded_) {
            return false;
        }
    }
    return true;
}

void TreeNode::setImageIndex(int index) {
    if (imageIndex_ == index) {
        return;
    }
    imageIndex_ = index;
    if (tree_->notifying()) {
        tree_->listener_->treeNodeChanged(*this);
    }
}

void TreeNode::setSelectedIndex(int index) {
    if (selectedIndex_ == index) {
        return;
    }
    selectedIndex_ = index;
    if (tree_->notifying()) {
        tree_->listener_->treeNodeChanged(*this);
    }
}

bool TreeNode::moveTo(TreeNode* destination, NodeAttachMode mode) {
    TreeNode* const root = tree_->root_.get();
    TreeNode* parent = root;
    int index = 0;
    if (destination == nullptr) {
        const bool first =
            mode == NodeAttachMode::AddFirst || mode == NodeAttachMode::AddChildFirst;
        index = first ? 0 : root->count();
    } else {
        switch (mode) {
            case NodeAttachMode::Add:
                parent = destination->parent_;
                index = parent->count();
                break;
            case NodeAttachMode::AddFirst:
                parent = destination->parent_;
                index = 0;
                break;
            case NodeAttachMode::AddChild:
                parent = destination;
                index = parent->count();
                break;
            case NodeAttachMode::AddChildFirst:
                parent = destination;
                index = 0;
                break;
            case NodeAttachMode::Insert:
                parent = destination->parent_;
                index = destination->index_;
                break;
        }
    }
    if (parent == this || isAncestorOf(*parent)) {
        return false;
    }
    return tree_->moveNode(*this, parent, index);
}

// --- NodeTree ---

NodeTree::NodeTree() : root_(new TreeNode(this, nullptr, std::string())) {}

NodeTree::~NodeTree() {
    // Nodes go without callbacks: whoever listens may already be gone.
    auto children = std::move(root_->children_);
    for (auto& child : children) {
        destroy(std::move(child));
    }
}

bool NodeTree::notifying() {
    if (updateDepth_ > 0) {
        if (!resetBegun_ && listener_ != nullptr) {
            listener_->treeAboutToReset();
        }
        resetBegun_ = true;
        return false;
    }
    return listener_ != nullptr;
}

TreeNode* NodeTree::publicParent(TreeNode* internal) const {
    return internal == root_.get() ? nullptr : internal;
}

void NodeTree::renumber(TreeNode& parent, int from) {
    for (int i = from; i < parent.count(); ++i) {
        parent.children_[static_cast<std::size_t>(i)]->index_ = i;
    }
}

void NodeTree::destroy(std::unique_ptr<TreeNode> node) {
    // One level at a time, so that a deep tree never recurses.
    std::vector<std::unique_ptr<TreeNode>> pending;
    pending.push_back(std::move(node));
    while (!pending.empty()) {
        std::unique_ptr<TreeNode> current = std::move(pending.back());
        pending.pop_back();
        for (auto& child : current->children_) {
            pending.push_back(std::move(child));
        }
        current->children_.clear();
    }
}

TreeNode* NodeTree::insertAt(TreeNode* parent, int index, const std::string& text) {
    const bool tell = notifying();
    if (tell) {
        listener_->treeAboutToInsert(publicParent(parent), index);
    }
    std::unique_ptr<TreeNode> node(new TreeNode(this, parent, text));
    TreeNode* const added = node.get();
    parent->children_.insert(parent->children_.begin() + index, std::move(node));
    renumber(*parent, index);
    ++count_;
    if (tell) {
        listener_->treeInserted();
    }
    return added;
}

TreeNode* NodeTree::add(TreeNode* sibling, const std::string& text) {
    TreeNode* parent = sibling != nullptr ? sibling->parent_ : root_.get();
    return insertAt(parent, parent->count(), text);
}

TreeNode* NodeTree::addChild(TreeNode* parent, const std::string& text) {
    TreeNode* p = parent != nullptr ? parent : root_.get();
    return insertAt(p, p->count(), text);
}

TreeNode* NodeTree::insert(TreeNode* sibling, const std::string& text) {
    if (sibling == nullptr) {
        return insertAt(root_.get(), root_->count(), text);
    }
    return insertAt(sibling->parent_, sibling->index_, text);
}

bool NodeTree::moveNode(TreeNode& node, TreeNode* parent, int index) {
    TreeNode* const from = node.parent_;
    const int row = node.index_;
    if (from == parent && (index == row || index == row + 1)) {
        return true;  // already there
    }
    const bool tell = notifying();
    if (tell) {
        listener_->treeAboutToMove(node, publicParent(parent), index);
    }
    std::unique_ptr<TreeNode> owned = std::move(from->children_[static_cast<std::size_t>(row)]);
    from->children_.erase(from->children_.begin() + row);
    renumber(*from, row);
    if (from == parent && index > row) {
        --index;
    }
    owned->parent_ = parent;
    parent->children_.insert(parent->children_.begin() + index, std::move(owned));
    renumber(*parent, index);
    if (tell) {
        listener_->treeMoved();
    }
    return true;
}

void NodeTree::deleteNode(TreeNode* node) {
    if (node == nullptr || node == root_.get()) {
        return;
    }
    int removed = 0;
    forEachPostOrder(*node, [&](TreeNode& n) {
        ++removed;
        if (onDeletion) {
            onDeletion(n);
        }
    });
    if (selected_ != nullptr && (selected_ == node || node->isAncestorOf(*selected_))) {
        setSelected(nullptr);
    }
    const bool tell = notifying();
    if (tell) {
        listener_->treeAboutToRemove(*node);
    }
    TreeNode* const parent = node->parent_;
    const int row = node->index_;
    std::unique_ptr<TreeNode> owned = std::move(parent->children_[static_cast<std::size_t>(row)]);
    parent->children_.erase(parent->children_.begin() + row);
    renumber(*parent, row);
    count_ -= removed;
    destroy(std::move(owned));
    if (tell) {
        listener_->treeRemoved();
    }
}

void NodeTree::clear() {
    if (onDeletion) {
        for (TreeNode* top = getFirstNode(); top != nullptr; top = top->getNextSibling()) {
            forEachPostOrder(*top, [&](TreeNode& n) { onDeletion(n); });
        }
    }
    setSelected(nullptr);
    beginUpdate();
    if (root_->hasChildren()) {
        notifying();  // the view is told of one reset
    }
    auto children = std::move(root_->children_);
    root_->children_.clear();
    count_ = 0;
    for (auto& child : children) {
        destroy(std::move(child));
    }
    endUpdate();
}

void NodeTree::adoptNodes(NodeTree& other) {
    if (&other == this || !other.root_->hasChildren()) {
        return;
    }
    // Both views hear of the reset before anything changes and of its end after.
    other.beginUpdate();
    beginUpdate();
    other.notifying();
    notifying();
    other.setSelected(nullptr);
    for (TreeNode* n = other.getFirstNode(); n != nullptr; n = n->getNext()) {
        n->tree_ = this;
    }
    auto moved = std::move(other.root_->children_);
    other.root_->children_.clear();
    const int from = root_->count();
    for (auto& node : moved) {
        node->parent_ = root_.get();
        root_->children_.push_back(std::move(node));
    }
    renumber(*root_, from);
    count_ += other.count_;
    other.count_ = 0;
    endUpdate();
    other.endUpdate();
}

void NodeTree::setSelected(TreeNode* node) {
    // The selected node is always in view: its ancestors open first.
    for (TreeNode* up = node != nullptr ? node->parent() : nullptr; up != nullptr;
         up = up->parent()) {
        up->setExpanded(true);
    }
    if (selected_ == node) {
        return;
    }
    selected_ = node;
    if (notifying()) {
        listener_->treeSelectionChanged();
    }
}

void NodeTree::fullExpand() {
    beginUpdate();
    for (TreeNode* n = getFirstNode(); n != nullptr; n = n->getNext()) {
        n->setExpanded(true);
    }
    endUpdate();
}

void NodeTree::fullCollapse() {
    beginUpdate();
    for (TreeNode* n = getFirstNode(); n != nullptr; n = n->getNext()) {
        n->setExpanded(false);
    }
    endUpdate();
}

void NodeTree::beginUpdate() {
    ++updateDepth_;
}

void NodeTree::endUpdate() {
    if (updateDepth_ == 0) {
        return;
    }
    if (--updateDepth_ == 0 && resetBegun_) {
        resetBegun_ = false;
        if (listener_ != nullptr) {
            listener_->treeReset();
        }
    }
}

void NodeTree::edited(TreeNode& node, std::string text) {
    if (onEdited) {
        onEdited(node, text);
    }
    node.setText(text);
}

void NodeTree::editText(TreeNode& node) {
    if (port_ != nullptr) {
        port_->editText(node);
    }
}

void NodeTree::endEdit(bool cancel) {
    if (port_ != nullptr) {
        port_->endEdit(cancel);
    }
}

bool NodeTree::isEditing() const {
    return port_ != nullptr && port_->isEditing();
}

TreeNode* NodeTree::topItem() const {
    return port_ != nullptr ? port_->topItem() : nullptr;
}

void NodeTree::setFocus() {
    if (port_ != nullptr) {
        port_->focusTree();
    }
}

}  // namespace vantorell
