#include "designer/frmMain/MeasuresWorkingData.h"

#include <algorithm>
#include <utility>

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {
namespace {

// Runs `fn` on the node's working array, whichever kind it holds.
template <typename Fn>
void onWorkset(TreeNode& node, Fn&& fn) {
    TDimsCatsData* data = nodeData(node);
    if (data == nullptr) {
        return;
    }
    std::visit(
        [&fn](auto& workset) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(workset)>, std::monostate>) {
                fn(workset);
            }
        },
        data->ptrExtData);
}

// Sums of element k over the siblings visited so far, one pair per level: a pre-order walk
// meets every sibling group in order, and a group's first member starts its level afresh.
class GroupTotals {
public:
    explicit GroupTotals(bool hasValues) : hasValues_(hasValues) {}

    // The node's siblings' totals before the node takes its defaults.
    std::pair<long long, long long> before(const TreeNode& node, int level) {
        if (static_cast<std::size_t>(level) >= sums_.size()) {
            sums_.resize(static_cast<std::size_t>(level) + 1);
        }
        auto& sum = sums_[static_cast<std::size_t>(level)];
        if (node.getPrevSibling() == nullptr) {
            sum = {0, 0};
        }
        return hasValues_ ? sum : std::pair<long long, long long>{-1, -1};
    }

    void add(int level, const TMeasureValuesWorksetItem& item) {
        auto& sum = sums_[static_cast<std::size_t>(level)];
        sum.first += item.intNegPercentage;
        sum.second += item.intPercentage;
    }

private:
    bool hasValues_;
    std::vector<std::pair<long long, long long>> sums_;
};

}  // namespace

void nulMeasureAddToDimsCats(EditorState& editors, int k) {
    const StringGrid& measures = editors.sgdMeasures;
    const int rows = intMeasureRowsCount(measures);
    const int type = intMeasuresGetTypeNumber(measures, k + measures.fixedRows());
    NodeTree& tree = editors.tvwDimsCats;
    // Element k of a node's later siblings is opened (zero) before the node takes its
    // defaults, so the totals of the siblings before it are all that count.
    GroupTotals totals(flgDimsCatsAndMeasuresHasValues(tree, measures));
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        nulDimsCatsNodeExtDataCreate(*n, rows, false);
        onWorkset(*n, [k](auto& workset) {
            if (k >= 0 && k < static_cast<int>(workset.size())) {
                std::move_backward(workset.begin() + k, workset.end() - 1, workset.end());
                workset[static_cast<std::size_t>(k)] = {};
            }
        });
    }
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        const int level = n->level();
        if (level == 0) {
            nulArrIrregularitiesWorksetSetDefaults(*n, k);
            continue;
        }
        const auto [negative, positive] = totals.before(*n, level);
        if (TMeasureValuesWorksetItem* item = measureValueItem(*n, k)) {
            measureValueDefaultsApply(*item, type, negative, positive, flgTreeNodeIsOnlyChild(*n));
            totals.add(level, *item);
        }
    }
}

void nulMeasuresDelFromDimsCats(EditorState& editors, int k) {
    const auto size =
        static_cast<std::size_t>(std::max(0, intMeasureRowsCount(editors.sgdMeasures) - 1));
    for (TreeNode* n = editors.tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
        onWorkset(*n, [k, size](auto& workset) {
            if (k >= 0 && k < static_cast<int>(workset.size())) {
                workset.erase(workset.begin() + k);
            }
            workset.resize(size);
        });
    }
}

void nulMeasureSwapInDimsCats(EditorState& editors, int a, int b) {
    const StringGrid& measures = editors.sgdMeasures;
    const auto dataRow = [&measures](int row) {
        return row >= measures.fixedRows() && row < measures.rowCount();
    };
    if (!dataRow(a) || !dataRow(b)) {
        return;
    }
    const auto i = static_cast<std::size_t>(a - measures.fixedRows());
    const auto j = static_cast<std::size_t>(b - measures.fixedRows());
    for (TreeNode* n = editors.tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
        onWorkset(*n, [i, j](auto& workset) {
            if (i < workset.size() && j < workset.size()) {
                std::swap(workset[i], workset[j]);
            }
        });
    }
}

}  // namespace vantorell
