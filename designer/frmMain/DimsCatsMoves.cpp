#include "designer/frmMain/DimsCatsMoves.h"

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/DimsCatsRename.h"
#include "designer/frmMain/ShareGroup.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnReaderWriter/ModelRecords.h"
#include "designer/rtnTrees/rtnTrees.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

// Commits pending edits and gives the selected node, none when nothing is selected.
TreeNode* moveBegin(EditorState& editors) {
    nulGridsSaveValues(editors);
    return editors.tvwDimsCats.selected();
}

void moveEnd(EditorState& editors) {
    nulDimsCatsDisplayCodes(editors);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

// The "Sorry..." text that refuses a change of level, empty when none does: the node joins
// the siblings from `firstSibling` on, and `leaf` is left without subcategories (none when
// no node is).
std::string levelChangeRefusal(const TreeNode& node, TreeNode* firstSibling, const TreeNode* leaf) {
    if (firstSibling != nullptr) {
        if (const TreeNode* other = tneDimsCatsSiblingNamed(*firstSibling, node.text(), &node)) {
            return "Sorry, the item (i.e. " + node.text() + ") cannot be moved there: \rrow " +
                   std::to_string(other->absoluteIndex() + 1) + " (i.e. " + other->text() +
                   ") already has that name.";
        }
    }
    return leaf != nullptr ? strDimsCatsLeafRefusal(*leaf) : std::string();
}

bool refused(const std::string& refusal) {
    if (refusal.empty()) {
        return false;
    }
    showMessage("Error", refusal, MessageIcon::Error);
    return true;
}

// The node's working data follows a move between level 0 and a deeper level.
void levelKindFollow(EditorState& editors, TreeNode& node, int levelBefore) {
    if ((levelBefore == 0) != (node.level() == 0)) {
        nulDimsCatsNodesExtDataSwitchLevelType(editors.sgdMeasures, node);
    }
}

}  // namespace

void tbnDimsCatsMoveUpClick(EditorState& editors) {
    TreeNode* node = moveBegin(editors);
    if (node != nullptr) {
        if (TreeNode* previous = node->getPrevSibling()) {
            node->moveTo(previous, NodeAttachMode::Insert);
        }
    }
    moveEnd(editors);
}

void tbnDimsCatsMoveDownClick(EditorState& editors) {
    TreeNode* node = moveBegin(editors);
    if (node != nullptr) {
        if (TreeNode* next = node->getNextSibling()) {
            next->moveTo(node, NodeAttachMode::Insert);
        }
    }
    moveEnd(editors);
}

void tbnDimsCatsMoveLeftClick(EditorState& editors) {
    TreeNode* node = moveBegin(editors);
    TreeNode* parent = node != nullptr ? node->parent() : nullptr;
    if (parent == nullptr) {
        moveEnd(editors);
        return;
    }
    const int level = node->level();
    const TreeNode* emptied = parent->count() == 1 ? parent : nullptr;
    if (refused(levelChangeRefusal(*node, tneTreeNodeFirstSibling(parent), emptied))) {
        moveEnd(editors);
        return;
    }
    nulDimsCatsNodeSharesRelease(editors, *node);
    if (TreeNode* after = parent->getNextSibling()) {
        node->moveTo(after, NodeAttachMode::Insert);
    } else {
        node->moveTo(parent, NodeAttachMode::Add);
    }
    nulDimsCatsNodeSetIcon(*node);
    levelKindFollow(editors, *node, level);
    moveEnd(editors);
}

void tbnDimsCatsMoveRightClick(EditorState& editors) {
    TreeNode* node = moveBegin(editors);
    TreeNode* previous = node != nullptr ? node->getPrevSibling() : nullptr;
    if (previous == nullptr) {
        moveEnd(editors);
        return;
    }
    const int level = node->level();
    const TreeNode* leaf = node->hasChildren() ? nullptr : node;
    if (intDimsCatsDeepestLevel(*node) >= kDeepestCategoryLevel) {
        refused(strDimsCatsDepthRefusal(*node, "cannot be moved there"));
        moveEnd(editors);
        return;
    }
    if (refused(levelChangeRefusal(*node, previous->getFirstChild(), leaf))) {
        moveEnd(editors);
        return;
    }
    nulDimsCatsNodeSharesRelease(editors, *node);
    // A dimension that becomes a category weights no measure any more.
    nulWeightingDimensionReplace(editors, *node, {});
    node->moveTo(previous, NodeAttachMode::AddChild);
    previous->setExpanded(true);
    nulDimsCatsNodeSetIcon(*node);
    if (flgTreeNodeIsOnlyChild(*node)) {
        flgNodePercentValueSet(editors, *node, kFullShare);
    }
    levelKindFollow(editors, *node, level);
    moveEnd(editors);
}

}  // namespace vantorell
