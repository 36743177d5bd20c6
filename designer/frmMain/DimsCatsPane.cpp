// The dimension and category tree editor on screen: its tool bar and pop-up menu, the
// images of the tree's nodes, the mouse on the tree and the code list, and the in-place
// edits of names and codes, which the tree editor's checks accept or refuse.
#include <QAction>
#include <QListView>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "designer/frmMain/DimsCatsCommands.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/DimsCatsMoves.h"
#include "designer/frmMain/DimsCatsRename.h"
#include "designer/frmMain/EditorToolBar.h"
#include "designer/frmMain/TForm1.h"
#include "designer/frmMain/ToolButtons.h"
#include "designer/views/CodeListModel.h"
#include "designer/views/DimsCatsImages.h"
#include "designer/views/NodeTreeModel.h"
#include "designer/views/NodeTreeView.h"

namespace vantorell {

int TForm1::intDimsCatsRowHeight() const {
    const QModelIndex first = tvwDimsCats->model()->index(0, 0);
    const int height = first.isValid() ? tvwDimsCats->visualRect(first).height() : 0;
    return std::max(1, height > 0 ? height : tvwDimsCats->sizeHintForRow(0));
}

void TForm1::nulDimsCatsToolBarCreate() {
    EditorToolBar tools(*pnlDimsCats, "tbrDimsCatsButtons", editors, *tvwDimsCats);
    tbrDimsCatsButtons = tools.bar();
    QStyle* style = tbrDimsCatsButtons->style();
    tbnDimsCatsAddSibling =
        tools.button("tbnDimsCatsAddSibling", "Add sibling item", dimsCatsAddIcon({2, 2}, {2, 9}),
                     tbnDimsCatsAddSiblingClick);
    tbnDimsCatsAddChild = tools.button("tbnDimsCatsAddChild", "Add child item",
                                       dimsCatsAddIcon({2, 2}, {7, 9}), tbnDimsCatsAddChildClick);
    tblDimsCatsInsertSibling =
        tools.button("tblDimsCatsInsertSibling", "Insert sibling item",
                     dimsCatsAddIcon({2, 9}, {2, 2}), tblDimsCatsInsertSiblingClick);
    tbnDimsCatsRem =
        tools.button("tbnDimsCatsRem", "Remove item", dimsCatsRemoveIcon(), tbnDimsCatsRemClick);
    tbrDimsCatsButtons->addSeparator();
    tbnDimsCatsMoveUp =
        tools.button("tbnDimsCatsMoveUp", "Move item up, maintain level ",
                     style->standardIcon(QStyle::SP_ArrowUp), tbnDimsCatsMoveUpClick);
    tbnDimsCatsMoveDown =
        tools.button("tbnDimsCatsMoveDown", "Move item down, maintain level",
                     style->standardIcon(QStyle::SP_ArrowDown), tbnDimsCatsMoveDownClick);
    tbnDimsCatsMoveLeft =
        tools.button("tbnDimsCatsMoveLeft", "Move item left, decrease level",
                     style->standardIcon(QStyle::SP_ArrowLeft), tbnDimsCatsMoveLeftClick);
    tbnDimsCatsMoveRight =
        tools.button("tbnDimsCatsMoveRight", "Move item right, increase level",
                     style->standardIcon(QStyle::SP_ArrowRight), tbnDimsCatsMoveRightClick);
    tbrDimsCatsButtons->addSeparator();
    tbnDimsCatsExpandAll = tools.button("tbnDimsCatsExpandAll", "Expand all items",
                                        dimsCatsExpandIcon(true), tbnDimsCatsExpandAllClick);
    tbnDimsCatsCollapseAll = tools.button("tbnDimsCatsCollapseAll", "Collapse all items",
                                          dimsCatsExpandIcon(false), tbnDimsCatsCollapseAllClick);
}

void TForm1::nulDimsCatsPopupMenuCreate() {
    pmuDimsCats =
        pmuEditorMenuCreate(*this, "pmuDimsCats", "pmuDimsCatsEditItem", pmuDimsCatsEditItem);
    connect(pmuDimsCatsEditItem, &QAction::triggered, this, &TForm1::pmuDimsCatsEditItemClick);
    const auto entry = [this](const char* caption, QAction* runs) {
        pmuPopupEntryAdd(*pmuDimsCats, caption, runs);
    };
    pmuDimsCats->addSeparator();
    entry("Add Sibling Item", tbnDimsCatsAddSibling);
    entry("Add Child Item", tbnDimsCatsAddChild);
    entry("Insert Sibling Item", tblDimsCatsInsertSibling);
    entry("Delete Item", tbnDimsCatsRem);
    pmuDimsCats->addSeparator();
    entry("Move Item Up", tbnDimsCatsMoveUp);
    entry("Move Item Down", tbnDimsCatsMoveDown);
    entry("Move Item Left", tbnDimsCatsMoveLeft);
    entry("Move Item Right", tbnDimsCatsMoveRight);
}

void TForm1::nulDimsCatsViewsConnect() {
    nulDimsCatsToolBarCreate();
    nulDimsCatsPopupMenuCreate();

    tvwDimsCats->setImages(dimsCatsImages());
    // F2 edits a name in place, as the pop-up's "Edit Item" does; the edit ends through the
    // tree editor's checks.
    tvwDimsCats->setEditTriggers(QAbstractItemView::EditKeyPressed);
    tvwDimsCats->onMouseDown = [this](const TreeMouseEvent& e) { tvwDimsCatsMouseDown(e.node); };
    tvwDimsCats->onClick = [this] { nulMeasureValuesAndIrregularitiesSetPanels(editors); };
    // A node selected by the arrow keys is shown in the lower panels as a clicked one is.
    tvwDimsCats->onKeySelect = tvwDimsCats->onClick;

    // The list is refilled whenever the tree scrolls or changes: an edit belongs to the node
    // its row showed when it started.
    codeListModel_ = new CodeListModel(lvwDimsCats, [this](int, std::string& text) {
        if (codeEditNode_ != nullptr) {
            lvwDimsCatsEdited(editors, *codeEditNode_, text);
        }
    });
    lvwDimsCats->setModel(codeListModel_);
    auto* delegate = new CodeListDelegate(
        lvwDimsCats, [this] { return intDimsCatsRowHeight(); },
        [this](int row) {
            const auto& items = editors.lvwDimsCats.items();
            codeEditNode_ = row >= 0 && row < static_cast<int>(items.size())
                                ? items[static_cast<std::size_t>(row)].node
                                : nullptr;
        });
    lvwDimsCats->setItemDelegate(delegate);
    editors.lvwDimsCats.onEndEdit = [delegate] { delegate->endEdit(); };
    // The tree scrolls; the list follows it row for row.
    lvwDimsCats->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvwDimsCats->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvwDimsCats->setEditTriggers(QAbstractItemView::EditKeyPressed);
    lvwDimsCats->viewport()->installEventFilter(this);

    nulEditorMenuPopupOn(*pmuDimsCats, *tvwDimsCats);
    nulEditorMenuPopupOn(*pmuDimsCats, *lvwDimsCats);

    // The buttons follow the tree's nodes and selection, however they change.
    const NodeTreeModel* tree = &tvwDimsCats->treeModel();
    nulRowsFollow(*tree, *this, [this] { nulDimsCatsSetButtonState(); });
    connect(tree, &NodeTreeModel::modelWasReset, this, &TForm1::nulDimsCatsSetButtonState);
    connect(tree, &NodeTreeModel::selectionChanged, this, &TForm1::nulDimsCatsSetButtonState);
    nulDimsCatsSetButtonState();
}

void TForm1::nulCodeListShow() {
    QStringList codes;
    for (const CodeListItem& item : editors.lvwDimsCats.items()) {
        codes << QString::fromStdString(item.caption);
    }
    static_cast<CodeListModel*>(codeListModel_)->show(codes);
}

void TForm1::nulDimsCatsSetButtonState() {
    const DimsCatsButtonState state = vantorell::nulDimsCatsSetButtonState(editors.tvwDimsCats);
    const int buttons = static_cast<int>(tbrDimsCatsButtons->actions().size());
    nulToolButtonsEnable(*tbrDimsCatsButtons, 3, buttons, state.treeButtons);
    for (QAction* b : {tbnDimsCatsRem, tbnDimsCatsMoveUp, tbnDimsCatsMoveDown, tbnDimsCatsMoveLeft,
                       tbnDimsCatsMoveRight}) {
        b->setEnabled(state.nodeButtons);
    }
}

void TForm1::pmuDimsCatsEditItemClick() {
    if (lvwDimsCats->hasFocus()) {
        const QModelIndex item = lvwDimsCats->currentIndex();
        if (item.isValid() && lvwDimsCats->selectionModel()->isSelected(item)) {
            lvwDimsCats->edit(item);
        }
        return;
    }
    if (TreeNode* node = editors.tvwDimsCats.selected()) {
        editors.tvwDimsCats.editText(*node);
    }
}

void TForm1::tvwDimsCatsMouseDown(TreeNode* node) {
    // Any button: the node under the mouse, or none on empty space.
    tvwDimsCats->setFocus(Qt::MouseFocusReason);
    editors.tvwDimsCats.setSelected(node);
}

void TForm1::lvwDimsCatsMouseDown(QPoint position) {
    lvwDimsCats->setFocus(Qt::MouseFocusReason);
    const QModelIndex item = lvwDimsCats->indexAt(position);
    if (item.isValid()) {
        lvwDimsCats->setCurrentIndex(item);
    } else {
        lvwDimsCats->clearSelection();
        lvwDimsCats->selectionModel()->setCurrentIndex(QModelIndex(),
                                                       QItemSelectionModel::NoUpdate);
    }
}

}  // namespace vantorell
