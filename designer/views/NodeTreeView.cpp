#include "designer/views/NodeTreeView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "designer/views/NodeTreeModel.h"
#include "designer/views/ViewKeys.h"

namespace vantorell {

namespace {

// Hands every editor it makes to `made`, so that an edit can be ended from outside.
class TrackingDelegate : public QStyledItemDelegate {
public:
    TrackingDelegate(QObject* parent, std::function<void(QWidget*)> made)
        : QStyledItemDelegate(parent), made_(std::move(made)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        made_(editor);
        return editor;
    }

private:
    std::function<void(QWidget*)> made_;
};

}  // namespace

NodeTreeView::NodeTreeView(NodeTree& tree, QWidget* parent)
    : QTreeView(parent), tree_(tree), model_(new NodeTreeModel(tree, this)) {
    setModel(model_);
    setItemDelegate(new TrackingDelegate(this, [this](QWidget* editor) { editor_ = editor; }));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::NoDragDrop);

    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (!syncing_) {
            if (TreeNode* node = NodeTreeModel::nodeOf(index)) {
                node->setExpanded(true);
            }
        }
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!syncing_) {
            if (TreeNode* node = NodeTreeModel::nodeOf(index)) {
                node->setExpanded(false);
            }
        }
    });
    connect(model_, &NodeTreeModel::expansionChanged, this,
            [this](const QModelIndex& index, bool expanded) {
                syncing_ = true;
                setExpanded(index, expanded);
                syncing_ = false;
            });
    connect(model_, &NodeTreeModel::selectionChanged, this, &NodeTreeView::syncSelection);
    connect(model_, &NodeTreeModel::modelWasReset, this, [this] {
        syncExpansion();
        syncSelection();
    });
    connect(model_, &QAbstractItemModel::rowsMoved, this, &NodeTreeView::syncExpansion);

    tree_.setPort(this);
    syncExpansion();
    syncSelection();
}

NodeTreeView::~NodeTreeView() {
    if (tree_.port() == this) {
        tree_.setPort(nullptr);
    }
}

void NodeTreeView::setImages(std::vector<QIcon> images) {
    model_->setImages(std::move(images));
    viewport()->update();
}

TreeNode* NodeTreeView::nodeAt(QPoint viewportPos) const {
    return NodeTreeModel::nodeOf(indexAt(viewportPos));
}

void NodeTreeView::syncSelection() {
    syncing_ = true;
    const QModelIndex index = model_->indexOf(tree_.selected());
    if (index.isValid()) {
        setCurrentIndex(index);
    } else {
        clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    syncing_ = false;
    // Scrolling may open the node's parents; the tree hears of it, so that the rows in view
    // and the codes beside them stay the same nodes.
    if (index.isValid()) {
        scrollTo(index);
    }
}

void NodeTreeView::syncExpansion() {
    syncing_ = true;
    for (TreeNode* node = tree_.getFirstNode(); node != nullptr; node = node->getNext()) {
        const QModelIndex index = model_->indexOf(node);
        if (node->hasChildren() && isExpanded(index) != node->expanded()) {
            setExpanded(index, node->expanded());
        }
    }
    syncing_ = false;
}

void NodeTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    if (!syncing_ && current.isValid()) {
        tree_.setSelected(NodeTreeModel::nodeOf(current));
    }
}

void NodeTreeView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    QTreeView::mousePressEvent(event);
    if (onMouseDown) {
        TreeMouseEvent e;
        e.button = mouseButton(event->button());
        e.shift = shiftState(event->modifiers(), event->buttons());
        e.x = event->position().toPoint().x();
        e.y = event->position().toPoint().y();
        e.node = nodeAt(event->position().toPoint());
        onMouseDown(e);
    }
}

void NodeTreeView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (onClick) {
        onClick();
    }
}

void NodeTreeView::keyPressEvent(QKeyEvent* event) {
    const TreeNode* before = tree_.selected();
    QTreeView::keyPressEvent(event);
    if (tree_.selected() != before && onKeySelect) {
        onKeySelect();
    }
}

void NodeTreeView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (onCustomDraw) {
        onCustomDraw();
    }
}

void NodeTreeView::editText(TreeNode& node) {
    const QModelIndex index = model_->indexOf(&node);
    scrollTo(index);
    edit(index);
}

void NodeTreeView::endEdit(bool cancel) {
    if (state() != QAbstractItemView::EditingState || editor_ == nullptr) {
        return;
    }
    QWidget* editor = editor_;
    if (!cancel) {
        commitData(editor);
    }
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool NodeTreeView::isEditing() const {
    return state() == QAbstractItemView::EditingState;
}

TreeNode* NodeTreeView::topItem() const {
    return nodeAt(QPoint(1, 1));
}

void NodeTreeView::focusTree() {
    setFocus(Qt::OtherFocusReason);
}

}  // namespace vantorell
