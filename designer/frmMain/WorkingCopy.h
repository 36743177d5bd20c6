#pragma once
// The editors' working copy of the model: every tree node carries its code and one working
// element per data row of the measures grid (element k belongs to grid row k + FixedRows).
// A dimension node holds irregularity elements, a category node measure value elements;
// the two kinds live in one variant, so that a node can never hold the wrong one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "designer/rtnGrids/StringGrid.h"
#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

struct TIrregularitiesWorksetItem {
    double dblStandardIrregularity = 0.0;
    double dblInterFamilyIrregularity = 0.0;
    std::int32_t intIrregularityFamilyNumber = 0;
    bool operator==(const TIrregularitiesWorksetItem&) const = default;
};

struct TMeasureValuesWorksetItem {
    bool flgLocked = false;             // kept out of balancing
    std::int32_t intNegPercentage = 0;  // share of the parent's negative total; 1,000,000 = 100 %
    std::int32_t intPercentage = 0;     // share of the parent's positive total
    double dblMaximumRatio = 0.0;       // weighted measures
    double dblAverageRatio = 0.0;
    double dblMinimumRatio = 0.0;
    bool operator==(const TMeasureValuesWorksetItem&) const = default;
};

using TArrIrregularitiesWorkset = std::vector<TIrregularitiesWorksetItem>;
using TArrMeasureValuesWorkset = std::vector<TMeasureValuesWorksetItem>;

// Per-node data: the code and the per-measure working data (none until created).
class TDimsCatsData : public TreeNodeData {
public:
    std::string strCode;
    std::variant<std::monostate, TArrIrregularitiesWorkset, TArrMeasureValuesWorkset> ptrExtData;

    bool hasExtData() const { return !std::holds_alternative<std::monostate>(ptrExtData); }
    // The array of the kind asked for, none when the node holds no array of that kind.
    TArrIrregularitiesWorkset* irregularities() {
        return std::get_if<TArrIrregularitiesWorkset>(&ptrExtData);
    }
    const TArrIrregularitiesWorkset* irregularities() const {
        return std::get_if<TArrIrregularitiesWorkset>(&ptrExtData);
    }
    TArrMeasureValuesWorkset* measureValues() {
        return std::get_if<TArrMeasureValuesWorkset>(&ptrExtData);
    }
    const TArrMeasureValuesWorkset* measureValues() const {
        return std::get_if<TArrMeasureValuesWorkset>(&ptrExtData);
    }
    std::size_t extDataSize() const;
};

// The node's data; none only for a node that never got any.
TDimsCatsData* nodeData(const TreeNode& node);
// Element k of a category node's or a dimension node's array; none when the node holds no
// such array or it is shorter.
TMeasureValuesWorksetItem* measureValueItem(const TreeNode& node, int k);
TIrregularitiesWorksetItem* irregularityItem(const TreeNode& node, int k);

// For each data row of a lower editor grid (row FixedRows + i shows the node of entry i) whose
// node holds an array of `Item`s with an element m: save(row, element m).
template <class Item, class Save>
void nulShownRowsSave(const StringGrid& grid, const std::vector<TDimsCatsData*>& nodes, int m,
                      Save save) {
    for (int i = 0; i < grid.dataRowCount() && i < static_cast<int>(nodes.size()); ++i) {
        TDimsCatsData* data = nodes[static_cast<std::size_t>(i)];
        auto* items = data != nullptr ? std::get_if<std::vector<Item>>(&data->ptrExtData) : nullptr;
        if (items != nullptr && m >= 0 && m < static_cast<int>(items->size())) {
            save(grid.fixedRows() + i, (*items)[static_cast<std::size_t>(m)]);
        }
    }
}

// Rows of the measures grid below its headings, its blank row included: the length of every
// node's working array.
int intMeasureRowsCount(const StringGrid& sgdMeasures);

// Attaches new data with an empty code and no working data; with `generateCode` the code
// becomes strDimsCatsCalcNextCode(node, codeBase).
void nulDimsCatsNodeDataCreate(TreeNode& node, bool generateCode, const std::string& codeBase);

// With `recreate`, the node's working data is released first and made anew; without, an
// existing array of the right kind stays. The array then has `count` elements: existing ones
// are kept, new ones zero-filled.
void nulDimsCatsNodeExtDataCreate(TreeNode& node, int count, bool recreate);

// Defaults for every measure row: irregularity defaults on a dimension node, measure value
// defaults on a category node.
void nulDimsCatsNodeExtDataSetDefaults(const StringGrid& sgdMeasures, TreeNode& node);

// The defaults of one category element for measure row k: an independent measure gives the
// whole share, positive and negative apart, to a category whose siblings hold none yet (or
// that has no siblings) and 0 to the others; a weighted measure gets the ratios 1.0.
void nulArrMeasureValuesWorksetSetDefaults(const StringGrid& sgdMeasures, TreeNode& node, int k);

// The element those rules give, for a measure of type number `type` whose other siblings
// hold `siblingsNegative` and `siblingsPositive` (-1 when tree or measures are empty).
// Other types leave `item` as it is, save for the lock.
void measureValueDefaultsApply(TMeasureValuesWorksetItem& item, int type,
                               long long siblingsNegative, long long siblingsPositive,
                               bool onlyChild);

// Sum of element k's share (negative or positive) over the node and its siblings; -1 when
// the tree or the measures grid is empty.
long long intArrSiblingsGetTotalPercentages(const StringGrid& sgdMeasures, const TreeNode& node,
                                            int k, bool negative);

// After a move between level 0 and a deeper level: new working data of the kind for the new
// level, with defaults, and the icon for the level.
void nulDimsCatsNodesExtDataSwitchLevelType(const StringGrid& sgdMeasures, TreeNode& node);

}  // namespace vantorell
