#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {

bool flgTreeNodeIsOnlyChild(const TreeNode& node) {
    return node.getPrevSibling() == nullptr && node.getNextSibling() == nullptr;
}

TreeNode* tneTreeNodeFirstSibling(TreeNode* node) {
    if (node == nullptr) {
        return nullptr;
    }
    if (node->parent() == nullptr) {
        return node->owner().getFirstNode();
    }
    if (node->getPrevSibling() != nullptr) {
        return node->parent()->getFirstChild();
    }
    return node;
}

TreeNode* tneTreeNodeTopLevel(TreeNode* node) {
    if (node == nullptr) {
        return nullptr;
    }
    while (node->parent() != nullptr) {
        node = node->parent();
    }
    return node;
}

}  // namespace vantorell
