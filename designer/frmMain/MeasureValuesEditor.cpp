#include "designer/frmMain/MeasureValuesEditor.h"

#include <charconv>

#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {
namespace {

bool weighted(const StringGrid& sgdMeasures, int measureIndex) {
    return intMeasuresGetTypeNumber(sgdMeasures, measureIndex + sgdMeasures.fixedRows()) ==
           kMeasureTypeWeighted;
}

int selectedMeasure(const EditorState& editors) {
    return editors.sgdMeasures.row() - editors.sgdMeasures.fixedRows();
}

}  // namespace

void nulLoadStringArrayFromMeasureValuesPercentages(const StringGrid& sgdMeasures,
                                                    const NodeTree& tree, TreeNode* node,
                                                    int measureIndex, bool negative,
                                                    TDynamicArrayOfStrings& texts) {
    texts.clear();
    TreeNode* first = tneTreeNodeFirstSibling(node != nullptr ? node : tree.getFirstNode());
    if (first == nullptr) {
        return;
    }
    const bool noShares = weighted(sgdMeasures, measureIndex);
    if (first->level() == 0) {
        texts.push_back(noShares ? "0" : "1000000");
        return;
    }
    for (TreeNode* n = first; n != nullptr; n = n->getNextSibling()) {
        const TMeasureValuesWorksetItem* item = measureValueItem(*n, measureIndex);
        const std::int32_t share = item == nullptr ? 0
                                   : negative      ? item->intNegPercentage
                                                   : item->intPercentage;
        texts.push_back(noShares ? "0" : std::to_string(share));
    }
}

void nulSaveStringArrayToMeasureValuesPercentages(const StringGrid& sgdMeasures, TreeNode* node,
                                                  int measureIndex, bool negative,
                                                  TDynamicArrayOfStrings& texts) {
    TreeNode* first = tneTreeNodeFirstSibling(node);
    if (first != nullptr && first->level() > 0) {
        const bool noShares = weighted(sgdMeasures, measureIndex);
        std::size_t i = 0;
        for (TreeNode* n = first; n != nullptr && i < texts.size(); n = n->getNextSibling(), ++i) {
            TMeasureValuesWorksetItem* item = measureValueItem(*n, measureIndex);
            if (item == nullptr) {
                continue;
            }
            std::int32_t share = 0;
            if (!noShares) {
                const std::string& text = texts[i];
                const auto [end, ec] =
                    std::from_chars(text.data(), text.data() + text.size(), share);
                if (ec != std::errc() || end != text.data() + text.size()) {
                    continue;  // balancing hands back whole numbers only
                }
            }
            (negative ? item->intNegPercentage : item->intPercentage) = share;
        }
    }
    texts.clear();
}

void nulLoadStringArrayFromMeasureValuesPercentages(const EditorState& editors, TreeNode* node,
                                                    bool negative, TDynamicArrayOfStrings& texts) {
    nulLoadStringArrayFromMeasureValuesPercentages(editors.sgdMeasures, editors.tvwDimsCats, node,
                                                   selectedMeasure(editors), negative, texts);
}

void nulSaveStringArrayToMeasureValuesPercentages(EditorState& editors, TreeNode* node,
                                                  bool negative, TDynamicArrayOfStrings& texts) {
    nulSaveStringArrayToMeasureValuesPercentages(editors.sgdMeasures, node,
                                                 selectedMeasure(editors), negative, texts);
}

}  // namespace vantorell
