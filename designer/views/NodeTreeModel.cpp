#include "designer/views/NodeTreeModel.h"

namespace vantorell {

NodeTreeModel::NodeTreeModel(NodeTree& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), selected_(tree.selected()) {
    tree_.setListener(this);
}

NodeTreeModel::~NodeTreeModel() {
    tree_.setListener(nullptr);
}

void NodeTreeModel::setImages(std::vector<QIcon> images) {
    images_ = std::move(images);
}

TreeNode* NodeTreeModel::nodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex NodeTreeModel::indexOf(const TreeNode* node) const {
    if (node == nullptr) {
        return {};
    }
    return createIndex(node->index(), 0, const_cast<TreeNode*>(node));
}

QModelIndex NodeTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) {
        return {};
    }
    const TreeNode* p = nodeOf(parent);
    TreeNode* child = p != nullptr ? p->item(row) : tree_.topLevelItem(row);
    return child != nullptr ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex NodeTreeModel::parent(const QModelIndex& index) const {
    const TreeNode* node = nodeOf(index);
    return node != nullptr ? indexOf(node->parent()) : QModelIndex();
}

int NodeTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) {
        return 0;
    }
    const TreeNode* p = nodeOf(parent);
    return p != nullptr ? p->count() : tree_.topLevelCount();
}

int NodeTreeModel::columnCount(const QModelIndex& /*parent*/) const {
    return 1;
}

QVariant NodeTreeModel::data(const QModelIndex& index, int role) const {
    const TreeNode* node = nodeOf(index);
    if (node == nullptr) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return QString::fromStdString(node->text());
    }
    if (role == Qt::DecorationRole) {
        const int image = node == tree_.selected() ? node->selectedIndex() : node->imageIndex();
        if (image >= 0 && image < static_cast<int>(images_.size())) {
            return images_[static_cast<std::size_t>(image)];
        }
    }
    return {};
}

bool NodeTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    TreeNode* node = nodeOf(index);
    if (node == nullptr || role != Qt::EditRole) {
        return false;
    }
    tree_.edited(*node, value.toString().toStdString());
    return true;
}

Qt::ItemFlags NodeTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void NodeTreeModel::treeAboutToInsert(TreeNode* parent, int index) {
    beginInsertRows(indexOf(parent), index, index);
}

void NodeTreeModel::treeInserted() {
    endInsertRows();
}

void NodeTreeModel::treeAboutToRemove(TreeNode& node) {
    if (selected_ != nullptr && (selected_ == &node || node.isAncestorOf(*selected_))) {
        selected_ = nullptr;
    }
    beginRemoveRows(indexOf(node.parent()), node.index(), node.index());
}

void NodeTreeModel::treeRemoved() {
    endRemoveRows();
}

void NodeTreeModel::treeAboutToMove(TreeNode& node, TreeNode* newParent, int index) {
    moving_ = beginMoveRows(indexOf(node.parent()), node.index(), node.index(), indexOf(newParent),
                            index);
    if (!moving_) {
        beginResetModel();  // a move the view cannot follow row by row
    }
}

void NodeTreeModel::treeMoved() {
    if (moving_) {
        endMoveRows();
    } else {
        endResetModel();
        emit modelWasReset();
    }
}

void NodeTreeModel::treeAboutToReset() {
    beginResetModel();
    selected_ = nullptr;
}

void NodeTreeModel::treeReset() {
    endResetModel();
    selected_ = tree_.selected();
    emit modelWasReset();
}

void NodeTreeModel::nodeChanged(const TreeNode* node) {
    if (node != nullptr) {
        const QModelIndex at = indexOf(node);
        emit dataChanged(at, at);
    }
}

void NodeTreeModel::treeNodeChanged(TreeNode& node) {
    nodeChanged(&node);
}

void NodeTreeModel::treeExpansionChanged(TreeNode& node) {
    emit expansionChanged(indexOf(&node), node.expanded());
}

void NodeTreeModel::treeSelectionChanged() {
    const TreeNode* old = selected_;
    selected_ = tree_.selected();
    nodeChanged(old);
    nodeChanged(selected_);
    emit selectionChanged(indexOf(selected_));
}

}  // namespace vantorell
