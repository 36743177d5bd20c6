#include "designer/frmMain/DimsCatsEditor.h"

#include <algorithm>

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/ShareGroup.h"
#include "designer/frmMain/SiblingBalancing.h"
#include "designer/rtnReaderWriter/ModelRecords.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {

bool flgDimsCatsHasValues(const NodeTree& tree) {
    return tree.count() > 0;
}

bool flgDimsCatsAndMeasuresHasValues(const NodeTree& tree, const StringGrid& sgdMeasures) {
    return flgDimsCatsHasValues(tree) && flgMeasuresHasValues(sgdMeasures);
}

DimsCatsButtonState nulDimsCatsSetButtonState(const NodeTree& tree) {
    return {tree.selected() != nullptr, flgDimsCatsHasValues(tree)};
}

int intDimsCatsDeepestLevel(const TreeNode& node) {
    int deepest = node.level();
    // In pre-order the subtree's nodes follow the node until the walk leaves it.
    for (const TreeNode* n = node.getFirstChild(); n != nullptr && node.isAncestorOf(*n);
         n = n->getNext()) {
        deepest = std::max(deepest, n->level());
    }
    return deepest;
}

std::string strDimsCatsDepthRefusal(const TreeNode& node, const std::string& step) {
    return "Sorry, the item (i.e. " + node.text() + ") " + step +
           ": \ra model keeps categories at levels 1 to " + std::to_string(kDeepestCategoryLevel) +
           " only.";
}

void nulDimsCatsNodeSetIcon(TreeNode& node) {
    const bool dimension = node.level() == 0;
    node.setImageIndex(dimension ? kDimensionImage : kCategoryImage);
    node.setSelectedIndex(dimension ? kDimensionSelectedImage : kCategorySelectedImage);
}

bool flgDimsCatsNodeExtDataDelete(TreeNode& node) {
    TDimsCatsData* data = nodeData(node);
    if (data == nullptr || !data->hasExtData()) {
        return false;
    }
    data->ptrExtData = std::monostate{};
    return true;
}

bool flgNodePercentValueSet(EditorState& editors, TreeNode& node, std::int64_t percentage) {
    const StringGrid& measures = editors.sgdMeasures;
    if (node.level() == 0 || !flgMeasuresHasValues(measures)) {
        return false;
    }
    bool set = false;
    for (int row = measures.fixedRows(); row < measures.rowCount(); ++row) {
        const int k = row - measures.fixedRows();
        const TMeasureValuesWorksetItem* item = measureValueItem(node, k);
        if (item == nullptr || intMeasuresGetTypeNumber(measures, row) != kMeasureTypeIndependent) {
            continue;
        }
        flgArrSiblingsBalanceTo100Percent(editors, node, false, percentage - item->intPercentage,
                                          k);
        flgArrSiblingsBalanceTo100Percent(editors, node, true, percentage - item->intNegPercentage,
                                          k);
        set = true;
    }
    return set;
}

namespace {

std::int32_t& shareOf(TMeasureValuesWorksetItem& item, bool negative) {
    return negative ? item.intNegPercentage : item.intPercentage;
}

// The total of measure k's shares of the node's siblings, the node left out.
std::int64_t siblingsTotal(const TreeNode& node, int k, bool negative) {
    std::int64_t total = 0;
    for (TreeNode* n = tneTreeNodeFirstSibling(const_cast<TreeNode*>(&node)); n != nullptr;
         n = n->getNextSibling()) {
        if (n != &node) {
            if (TMeasureValuesWorksetItem* item = measureValueItem(*n, k)) {
                total += shareOf(*item, negative);
            }
        }
    }
    return total;
}

// Hands `rest` to the node's siblings, locked or not, from the first on.
void siblingsTake(const TreeNode& node, int k, bool negative, std::int64_t rest) {
    for (TreeNode* n = tneTreeNodeFirstSibling(const_cast<TreeNode*>(&node));
         n != nullptr && rest > 0; n = n->getNextSibling()) {
        TMeasureValuesWorksetItem* item = n != &node ? measureValueItem(*n, k) : nullptr;
        if (item != nullptr) {
            std::int32_t& share = shareOf(*item, negative);
            const std::int64_t taken = std::min<std::int64_t>(rest, kFullShare - share);
            share = static_cast<std::int32_t>(share + taken);
            rest -= taken;
        }
    }
}

}  // namespace

void nulDimsCatsNodeSharesRelease(EditorState& editors, TreeNode& node) {
    const StringGrid& measures = editors.sgdMeasures;
    if (node.level() == 0 || !flgMeasuresHasValues(measures)) {
        return;
    }
    for (int row = measures.fixedRows(); row < measures.rowCount(); ++row) {
        const int k = row - measures.fixedRows();
        if (intMeasuresGetTypeNumber(measures, row) != kMeasureTypeIndependent) {
            continue;
        }
        for (const bool negative : {false, true}) {
            TMeasureValuesWorksetItem* item = measureValueItem(node, k);
            if (item == nullptr || shareOf(*item, negative) == 0) {
                continue;
            }
            const std::int64_t share = shareOf(*item, negative);
            const std::int64_t before = siblingsTotal(node, k, negative);
            if (!flgArrSiblingsBalanceTo100Percent(editors, node, negative, -share, k)) {
                siblingsTake(node, k, negative, before + share - siblingsTotal(node, k, negative));
            }
        }
    }
}

void tvwDimsCatsDeletion(TreeNode& node) {
    flgDimsCatsNodeExtDataDelete(node);
}

void nulDimsCatsDisplayCodes(EditorState& editors) {
    CodeList& list = editors.lvwDimsCats;
    list.beginUpdate();
    list.clear();
    TreeNode* node = editors.tvwDimsCats.topItem();
    if (node == nullptr) {
        node = editors.tvwDimsCats.getFirstNode();
    }
    for (; node != nullptr && list.count() < list.visibleRowCount();
         node = node->getNextVisible()) {
        list.add(strNodeCode(*node), node);
    }
    list.endUpdate();
}

}  // namespace vantorell
