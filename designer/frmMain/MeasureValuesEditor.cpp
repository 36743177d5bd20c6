#include "designer/frmMain/MeasureValuesEditor.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "designer/frmMain/EditorEnterKey.h"
#include "designer/frmMain/GridBalancing.h"
#include "designer/frmMain/MeasureValuesCells.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/NumericCommit.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"
#include "designer/rtnReaderWriter/ModelNumbers.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {
namespace {

bool weighted(const StringGrid& sgdMeasures, int measureIndex) {
    return intMeasuresGetTypeNumber(sgdMeasures, measureIndex + sgdMeasures.fixedRows()) ==
           kMeasureTypeWeighted;
}

std::vector<std::string> sharesRow(const std::string& name, const TMeasureValuesWorksetItem& item,
                                   bool weightedMeasure, bool negative) {
    if (weightedMeasure) {
        return {name, floatText(item.dblMaximumRatio).str(), floatText(item.dblAverageRatio).str(),
                floatText(item.dblMinimumRatio).str()};
    }
    return {name, item.flgLocked ? "True" : "False",
            std::to_string(negative ? item.intNegPercentage : item.intPercentage)};
}

void nulRowSave(const StringGrid& grid, int row, TMeasureValuesWorksetItem& item, bool negative) {
    const int percentCol = intMeasureValuesPercentColumn(grid);
    if (percentCol >= 0) {
        item.flgLocked = grid.cell(intMeasureValuesLockedColumn(grid), row) == "True";
        std::int32_t share = 0;
        if (flgParseInteger(grid.cell(percentCol, row), share)) {
            (negative ? item.intNegPercentage : item.intPercentage) = share;
        }
        return;
    }
    double* const ratios[] = {&item.dblMaximumRatio, &item.dblAverageRatio, &item.dblMinimumRatio};
    for (int i = 0; i < 3; ++i) {
        const int col = intGridColumnIndexGetByHeading(
            grid, kMeasureValuesRatiosHeadings[static_cast<std::size_t>(i) + 1]);
        double value = 0.0;
        if (col >= 0 && flgParseDouble(grid.cell(col, row), value)) {
            *ratios[i] = value;
        }
    }
}

}  // namespace

void nulMeasureValuesPercentEditEnd(EditorState& editors) {
    StringGrid& grid = editors.sgdMeasureValues;
    const int col = grid.col();
    const int row = grid.row();
    // The share before the edit, whatever handlers the end of the edit sets off: the others
    // balance against it.
    const std::string previous = editors.strCellPreviousText;
    if (flgGridNumericEditCommit(grid, kMeasureValuesPercentUnit, kMeasureValuesPercentLimit,
                                 previous)) {
        grid.setCell(col, row, strMeasureValuesValidateCellEntry(editors, col, row, previous));
    }
}

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
                                                   intMeasuresCurrentIndex(editors.sgdMeasures),
                                                   negative, texts);
}

void nulSaveStringArrayToMeasureValuesPercentages(EditorState& editors, TreeNode* node,
                                                  bool negative, TDynamicArrayOfStrings& texts) {
    nulSaveStringArrayToMeasureValuesPercentages(
        editors.sgdMeasures, node, intMeasuresCurrentIndex(editors.sgdMeasures), negative, texts);
}

void nulSgdMeasureValuesHeadingsSet(EditorState& editors) {
    StringGrid& grid = editors.sgdMeasureValues;
    const bool ratios = flgMeasuresHasValues(editors.sgdMeasures) &&
                        editors.tvwDimsCats.count() > 0 &&
                        intMeasuresGetTypeNumber(editors.sgdMeasures, editors.sgdMeasures.row()) ==
                            kMeasureTypeWeighted;
    grid.setFixedRows(1);
    grid.setRowCount(std::max(grid.rowCount(), 2));
    if (ratios) {
        grid.setColCount(static_cast<int>(kMeasureValuesRatiosHeadings.size()));
        nulGridRowSet(grid, 0, 0,
                      {kMeasureValuesRatiosHeadings.begin(), kMeasureValuesRatiosHeadings.end()});
    } else {
        grid.setColCount(static_cast<int>(kMeasureValuesSharesHeadings.size()));
        nulGridRowSet(grid, 0, 0,
                      {kMeasureValuesSharesHeadings.begin(), kMeasureValuesSharesHeadings.end()});
    }
}

void nulSgdMeasureValuesLoad(EditorState& editors, bool negative) {
    // Without a selection the first node's group is shown; the tree keeps having none, so
    // that the tree editor's commands still see a press on empty space.
    NodeTree& tree = editors.tvwDimsCats;
    TreeNode* selected = tree.selected() != nullptr ? tree.selected() : tree.getFirstNode();
    StringGrid& grid = editors.sgdMeasureValues;
    const StringGrid& measures = editors.sgdMeasures;
    const int m = intMeasuresCurrentIndex(editors.sgdMeasures);

    nulGridClear(grid);
    grid.beginUpdate();
    editors.lstMeasureValuesNodes.clear();
    nulSgdMeasureValuesHeadingsSet(editors);
    editors.intBalanceRow = grid.fixedRows();
    if (selected != nullptr && flgMeasuresHasValues(measures)) {
        const bool ratios = weighted(measures, m);
        TreeNode* first = tneTreeNodeFirstSibling(selected);
        if (first->level() > 0) {
            for (TreeNode* n = first; n != nullptr; n = n->getNextSibling()) {
                const TMeasureValuesWorksetItem* item = measureValueItem(*n, m);
                nulGridRowAdd(grid, sharesRow(strMeasuresForText(measures, n->text()),
                                              item != nullptr ? *item : TMeasureValuesWorksetItem{},
                                              ratios, negative));
                editors.lstMeasureValuesNodes.push_back(nodeData(*n));
            }
        } else if (ratios) {
            // A dimension shows what a single category would hold; nothing reaches the model.
            nulGridRowAdd(grid, {strMeasuresForText(measures, selected->text()), "1", "1", "1"});
        } else {
            nulGridRowAdd(grid,
                          {strMeasuresForText(measures, selected->text()), "False", "1000000"});
        }
    }
    grid.endUpdate();
    nulGridColumnsWidthSet(grid, 0, grid.colCount() - 1, 20);
    grid.setColWidth(0, intGridColumnAutoSize(grid, 0) + 1);
    // The current cell of the new rows is edited as a selected one.
    nulMeasureValuesEditingSet(editors, grid.col());
}

void nulSgdMeasureValuesSave(EditorState& editors, bool negative) {
    StringGrid& grid = editors.sgdMeasureValues;
    nulGridEditEndByEnter(editors, grid, sgdMeasureValuesKeyPress);
    editors.strCellPreviousText = grid.cell(grid.col(), grid.row());
    nulShownRowsSave<TMeasureValuesWorksetItem>(
        grid, editors.lstMeasureValuesNodes, intMeasuresCurrentIndex(editors.sgdMeasures),
        [&grid, negative](int row, TMeasureValuesWorksetItem& item) {
            nulRowSave(grid, row, item, negative);
        });
}

std::string strMeasureValuesValidateCellEntry(EditorState& editors, int col, int row,
                                              const std::string& previousText) {
    const StringGrid& grid = editors.sgdMeasureValues;
    const std::string& text = grid.cell(col, row);
    if (col < 0 || col != intMeasureValuesPercentColumn(grid)) {
        return text;
    }
    const std::int64_t before = std::llabs(intPercentTextGet(previousText));
    std::int64_t change = std::llabs(intPercentTextGet(text)) - before;
    return strGridBalanceOtherCellsTo100Percent(editors, before, row, change);
}

namespace {

void nulLocksSet(EditorState& editors, const char* locked) {
    nulGridsSaveValues(editors);
    StringGrid& grid = editors.sgdMeasureValues;
    const int col = intMeasureValuesLockedColumn(grid);
    for (int r = grid.fixedRows(); col >= 0 && r < grid.fixedRows() + grid.dataRowCount(); ++r) {
        grid.setCell(col, r, locked);
    }
    nulSgdMeasureValuesSave(editors, editors.flgMeasureValuesShowNegatives);
}

}  // namespace

void tbnMeasureValuesLockAllClick(EditorState& editors) {
    nulLocksSet(editors, "True");
}

void tbnMeasureValuesUnlockAllClick(EditorState& editors) {
    nulLocksSet(editors, "False");
}

}  // namespace vantorell
