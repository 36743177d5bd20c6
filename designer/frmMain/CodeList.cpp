#include "designer/frmMain/CodeList.h"

namespace vantorell {

void CodeList::clear() {
    items_.clear();
    changed();
}

void CodeList::add(const std::string& caption, TreeNode* node) {
    items_.push_back({caption, node});
    changed();
}

void CodeList::endUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0 && pending_) {
        pending_ = false;
        if (onChanged) {
            onChanged();
        }
    }
}

void CodeList::changed() {
    if (updateDepth_ > 0) {
        pending_ = true;
    } else if (onChanged) {
        onChanged();
    }
}

}  // namespace vantorell
