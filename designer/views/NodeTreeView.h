#pragma once
// The node tree on screen. Selection and expansion follow the tree both ways; the node text
// is edited in place and handed to the tree, which may refuse it.

#include <QPointer>
#include <QTreeView>
#include <functional>
#include <vector>

#include "designer/rtnGrids/GridTypes.h"
#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

class NodeTreeModel;

// A mouse press in the view's coordinates, with the node under the mouse or none.
struct TreeMouseEvent {
    MouseButton button = MouseButton::Left;
    ShiftState shift;
    int x = 0;
    int y = 0;
    TreeNode* node = nullptr;
};

class NodeTreeView : public QTreeView, public TreePort {
    Q_OBJECT
public:
    explicit NodeTreeView(NodeTree& tree, QWidget* parent = nullptr);
    ~NodeTreeView() override;

    NodeTree& tree() const { return tree_; }
    NodeTreeModel& treeModel() const { return *model_; }
    TreeNode* nodeAt(QPoint viewportPos) const;
    // The images of the nodes' image and selected indexes.
    void setImages(std::vector<QIcon> images);

    std::function<void(const TreeMouseEvent& event)> onMouseDown;
    std::function<void()> onClick;
    // After a key that made another node the selected one.
    std::function<void()> onKeySelect;
    // After every repaint of the tree.
    std::function<void()> onCustomDraw;

    void editText(TreeNode& node) override;
    void endEdit(bool cancel) override;
    bool isEditing() const override;
    TreeNode* topItem() const override;
    void focusTree() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void syncSelection();
    void syncExpansion();

    NodeTree& tree_;
    NodeTreeModel* model_;
    QPointer<QWidget> editor_;
    bool syncing_ = false;
};

}  // namespace vantorell
