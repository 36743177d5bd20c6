#include "designer/frmMain/DimsCatsCommands.h"

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/DimsCatsNames.h"
#include "designer/frmMain/DimsCatsRename.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnReaderWriter/ModelRecords.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

TreeNode* nodeCreate(NodeTree& tree, TreeNode* node, bool insert, bool child) {
    if (insert && node != nullptr) {
        return tree.insert(node, kNewNodeText);
    }
    if (tree.count() == 0 || node == nullptr) {
        return tree.add(nullptr, kNewNodeText);
    }
    tree.setSelected(nullptr);
    if (child) {
        TreeNode* added = tree.addChild(node, kNewNodeText);
        node->setExpanded(true);
        return added;
    }
    if (TreeNode* next = node->getNextSibling()) {
        return tree.insert(next, kNewNodeText);
    }
    return tree.add(node, kNewNodeText);
}

// The visible node that follows the node's subtree, else the visible node before it.
TreeNode* nodeAfterDeletion(const TreeNode& node) {
    for (const TreeNode* n = &node; n != nullptr; n = n->parent()) {
        if (TreeNode* next = n->getNextSibling()) {
            return next;
        }
    }
    return node.getPrevVisible();
}

}  // namespace

TreeNode* fneDimsCatsAddInsertNode(EditorState& editors, TreeNode* node, bool insert, bool child) {
    nulGridsSaveValues(editors);
    NodeTree& tree = editors.tvwDimsCats;
    const bool asChild = child && !insert && node != nullptr && tree.count() > 0;
    if (asChild && node->level() >= kDeepestCategoryLevel) {
        showMessage("Error", strDimsCatsDepthRefusal(*node, "cannot take a child item"),
                    MessageIcon::Error);
        return nullptr;
    }
    TreeNode* added = nodeCreate(tree, node, insert, child);
    added->setText(strDimsCatsCalcNextName(*added, {}));
    nulDimsCatsNodeSetIcon(*added);
    nulDimsCatsNodeDataCreate(*added, true, {});
    nulDimsCatsNodeExtDataCreate(*added, intMeasureRowsCount(editors.sgdMeasures), false);
    nulDimsCatsNodeExtDataSetDefaults(editors.sgdMeasures, *added);
    tree.setSelected(added);
    nulDimsCatsDisplayCodes(editors);
    tree.editText(*added);
    return added;
}

void tbnDimsCatsAddSiblingClick(EditorState& editors) {
    fneDimsCatsAddInsertNode(editors, editors.tvwDimsCats.selected(), false, false);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void tbnDimsCatsAddChildClick(EditorState& editors) {
    fneDimsCatsAddInsertNode(editors, editors.tvwDimsCats.selected(), false, true);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void tblDimsCatsInsertSiblingClick(EditorState& editors) {
    TreeNode* selected = editors.tvwDimsCats.selected();
    const bool insert = selected != nullptr && flgDimsCatsHasValues(editors.tvwDimsCats);
    fneDimsCatsAddInsertNode(editors, selected, insert, false);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

TreeNode* fneDimsCatsDeleteNodes(EditorState& editors) {
    nulGridsSaveValues(editors);
    NodeTree& tree = editors.tvwDimsCats;
    TreeNode* node = tree.selected();
    if (node == nullptr) {
        return nullptr;
    }
    // A parent that loses its last child becomes a category without subcategories.
    TreeNode* parent = node->parent();
    if (parent != nullptr && parent->count() == 1) {
        if (const std::string refusal = strDimsCatsLeafRefusal(*parent); !refusal.empty()) {
            showMessage("Error", refusal, MessageIcon::Error);
            return node;
        }
    }
    TreeNode* next = tree.count() >= 2 ? nodeAfterDeletion(*node) : nullptr;
    // The grids were stored above; their node lists may name nodes about to go.
    editors.lstMeasureValuesNodes.clear();
    editors.lstIrregularitiesNodes.clear();
    nulDimsCatsNodeSharesRelease(editors, *node);
    // No measure keeps a weighting dimension the model no longer has.
    nulWeightingDimensionReplace(editors, *node, {});
    tree.deleteNode(node);
    tree.setSelected(nullptr);
    tree.setSelected(next);
    nulDimsCatsDisplayCodes(editors);
    return next;
}

void tbnDimsCatsRemClick(EditorState& editors) {
    fneDimsCatsDeleteNodes(editors);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void tbnDimsCatsExpandAllClick(EditorState& editors) {
    nulGridsSaveValues(editors);
    editors.tvwDimsCats.fullExpand();
    nulDimsCatsDisplayCodes(editors);
}

void tbnDimsCatsCollapseAllClick(EditorState& editors) {
    nulGridsSaveValues(editors);
    const TreeNode* selected = editors.tvwDimsCats.selected();
    editors.tvwDimsCats.fullCollapse();
    nulDimsCatsDisplayCodes(editors);
    // A selected category hides with its dimension, which takes the selection: the lower
    // panels follow it.
    if (editors.tvwDimsCats.selected() != selected) {
        nulMeasureValuesAndIrregularitiesSetPanels(editors);
    }
}

}  // namespace vantorell
