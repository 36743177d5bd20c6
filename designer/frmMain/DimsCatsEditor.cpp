#include "designer/frmMain/DimsCatsEditor.h"

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/MeasuresGrid.h"

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
