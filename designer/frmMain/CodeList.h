#pragma once
// The code list beside the tree, without widgets: one item per tree row in view, its caption
// the node's code. A view shows it and tells it how many rows it can show.

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace vantorell {

class TreeNode;

struct CodeListItem {
    std::string caption;
    TreeNode* node = nullptr;
};

class CodeList {
public:
    const std::vector<CodeListItem>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    void clear();
    void add(const std::string& caption, TreeNode* node);

    // Changes in between reach onChanged once.
    void beginUpdate() { ++updateDepth_; }
    void endUpdate();

    // Rows the view can show; unlimited while no view says otherwise.
    int visibleRowCount() const { return visibleRowCount_; }
    void setVisibleRowCount(int rows) { visibleRowCount_ = rows < 0 ? 0 : rows; }

    std::function<void()> onChanged;
    // Ends the view's in-place edit of a caption, keeping the text; installed by the view.
    std::function<void()> onEndEdit;

private:
    void changed();

    std::vector<CodeListItem> items_;
    int visibleRowCount_ = INT_MAX;
    int updateDepth_ = 0;
    bool pending_ = false;
};

}  // namespace vantorell
