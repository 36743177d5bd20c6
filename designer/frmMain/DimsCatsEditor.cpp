#include "designer/frmMain/DimsCatsEditor.h"

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/SiblingBalancing.h"

namespace vantorell {

bool flgDimsCatsHasValues(const NodeTree& tree) {
    return tree.count() > 0;
}

bool flgDimsCatsAndMeasuresHasValues(const NodeTree& tree, const StringGrid& sgdMeasures) {
    return flgDimsCatsHasValues(tree) && flgMeasuresHasValues(sgdMeasures);
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
