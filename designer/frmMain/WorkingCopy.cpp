#include "designer/frmMain/WorkingCopy.h"

#include <memory>

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {
namespace {

template <typename Workset>
auto* itemAt(Workset* workset, int k) {
    using Item = typename Workset::value_type;
    if (workset == nullptr || k < 0 || k >= static_cast<int>(workset->size())) {
        return static_cast<Item*>(nullptr);
    }
    return &(*workset)[static_cast<std::size_t>(k)];
}

}  // namespace

std::size_t TDimsCatsData::extDataSize() const {
    if (const auto* irr = irregularities()) {
        return irr->size();
    }
    if (const auto* values = measureValues()) {
        return values->size();
    }
    return 0;
}

TDimsCatsData* nodeData(const TreeNode& node) {
    return node.dataAs<TDimsCatsData>();
}

TMeasureValuesWorksetItem* measureValueItem(const TreeNode& node, int k) {
    TDimsCatsData* data = nodeData(node);
    return itemAt(data != nullptr ? data->measureValues() : nullptr, k);
}

TIrregularitiesWorksetItem* irregularityItem(const TreeNode& node, int k) {
    TDimsCatsData* data = nodeData(node);
    return itemAt(data != nullptr ? data->irregularities() : nullptr, k);
}

int intMeasureRowsCount(const StringGrid& sgdMeasures) {
    return sgdMeasures.rowCount() - sgdMeasures.fixedRows();
}

void nulDimsCatsNodeDataCreate(TreeNode& node, bool generateCode, const std::string& codeBase) {
    node.setData(std::make_unique<TDimsCatsData>());
    if (generateCode) {
        nodeData(node)->strCode = strDimsCatsCalcNextCode(node, codeBase);
    }
}

void nulDimsCatsNodeExtDataCreate(TreeNode& node, int count, bool recreate) {
    TDimsCatsData* data = nodeData(node);
    if (data == nullptr) {
        nulDimsCatsNodeDataCreate(node, false, {});
        data = nodeData(node);
    }
    if (recreate) {
        flgDimsCatsNodeExtDataDelete(node);
    }
    const bool dimension = node.level() == 0;
    // An array of the other kind is never kept: it belongs to another level.
    if (dimension && data->irregularities() == nullptr) {
        data->ptrExtData = TArrIrregularitiesWorkset{};
    } else if (!dimension && data->measureValues() == nullptr) {
        data->ptrExtData = TArrMeasureValuesWorkset{};
    }
    const auto size = static_cast<std::size_t>(count < 0 ? 0 : count);
    std::visit(
        [size](auto& workset) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(workset)>, std::monostate>) {
                workset.resize(size);
            }
        },
        data->ptrExtData);
}

void nulDimsCatsNodeExtDataSetDefaults(const StringGrid& sgdMeasures, TreeNode& node) {
    const int rows = intMeasureRowsCount(sgdMeasures);
    for (int k = 0; k < rows; ++k) {
        if (node.level() == 0) {
            nulArrIrregularitiesWorksetSetDefaults(node, k);
        } else {
            nulArrMeasureValuesWorksetSetDefaults(sgdMeasures, node, k);
        }
    }
}

void measureValueDefaultsApply(TMeasureValuesWorksetItem& item, int type,
                               long long siblingsNegative, long long siblingsPositive,
                               bool onlyChild) {
    item.flgLocked = false;
    if (type == kMeasureTypeIndependent) {
        item.intNegPercentage = siblingsNegative < 1 || onlyChild ? 1'000'000 : 0;
        item.intPercentage = siblingsPositive < 1 || onlyChild ? 1'000'000 : 0;
        item.dblMaximumRatio = 0.0;
        item.dblAverageRatio = 0.0;
        item.dblMinimumRatio = 0.0;
    } else if (type == kMeasureTypeWeighted) {
        item.intNegPercentage = 0;
        item.intPercentage = 0;
        item.dblMaximumRatio = 1.0;
        item.dblAverageRatio = 1.0;
        item.dblMinimumRatio = 1.0;
    }
}

void nulArrMeasureValuesWorksetSetDefaults(const StringGrid& sgdMeasures, TreeNode& node, int k) {
    TMeasureValuesWorksetItem* item = measureValueItem(node, k);
    if (item == nullptr) {
        return;
    }
    const long long negative = intArrSiblingsGetTotalPercentages(sgdMeasures, node, k, true);
    const long long positive = intArrSiblingsGetTotalPercentages(sgdMeasures, node, k, false);
    measureValueDefaultsApply(*item,
                              intMeasuresGetTypeNumber(sgdMeasures, k + sgdMeasures.fixedRows()),
                              negative, positive, flgTreeNodeIsOnlyChild(node));
}

long long intArrSiblingsGetTotalPercentages(const StringGrid& sgdMeasures, const TreeNode& node,
                                            int k, bool negative) {
    if (!flgDimsCatsAndMeasuresHasValues(node.owner(), sgdMeasures)) {
        return -1;
    }
    long long total = 0;
    for (TreeNode* n = tneTreeNodeFirstSibling(const_cast<TreeNode*>(&node)); n != nullptr;
         n = n->getNextSibling()) {
        if (const TMeasureValuesWorksetItem* item = measureValueItem(*n, k)) {
            total += negative ? item->intNegPercentage : item->intPercentage;
        }
    }
    return total;
}

void nulDimsCatsNodesExtDataSwitchLevelType(const StringGrid& sgdMeasures, TreeNode& node) {
    nulDimsCatsNodeExtDataCreate(node, intMeasureRowsCount(sgdMeasures), true);
    nulDimsCatsNodeExtDataSetDefaults(sgdMeasures, node);
    nulDimsCatsNodeSetIcon(node);
}

}  // namespace vantorell
