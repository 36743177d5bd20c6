#pragma once
// The node tree as a Qt item model: an index points at its node, so nothing is copied and
// the view asks only for the nodes in view.

#include <QAbstractItemModel>
#include <QIcon>
#include <vector>

#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

class NodeTreeModel : public QAbstractItemModel, public TreeListener {
    Q_OBJECT
public:
    explicit NodeTreeModel(NodeTree& tree, QObject* parent = nullptr);
    ~NodeTreeModel() override;

    NodeTree& tree() const { return tree_; }
    void setImages(std::vector<QIcon> images);

    QModelIndex indexOf(const TreeNode* node) const;
    static TreeNode* nodeOf(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void treeAboutToInsert(TreeNode* parent, int index) override;
    void treeInserted() override;
    void treeAboutToRemove(TreeNode& node) override;
    void treeRemoved() override;
    void treeAboutToMove(TreeNode& node, TreeNode* newParent, int index) override;
    void treeMoved() override;
    void treeAboutToReset() override;
    void treeReset() override;
    void treeNodeChanged(TreeNode& node) override;
    void treeExpansionChanged(TreeNode& node) override;
    void treeSelectionChanged() override;

signals:
    void expansionChanged(const QModelIndex& index, bool expanded);
    void selectionChanged(const QModelIndex& current);
    void modelWasReset();

private:
    void nodeChanged(const TreeNode* node);

    NodeTree& tree_;
    std::vector<QIcon> images_;
    const TreeNode* selected_ = nullptr;  // whose icon shows selected
    bool moving_ = false;
};

}  // namespace vantorell
