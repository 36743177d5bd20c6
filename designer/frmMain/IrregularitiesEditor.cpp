#include "designer/frmMain/IrregularitiesEditor.h"

#include <cmath>

#include "designer/frmMain/EditorEnterKey.h"
#include "designer/frmMain/IrregularitiesCells.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"
#include "designer/rtnReaderWriter/NumberReading.h"

namespace vantorell {
namespace {

// The nearest whole percent: 0.257 shows as 26.
std::string strWholePercent(double fraction) {
    return std::to_string(std::llround(fraction * 100));
}

// The fraction a percentage cell stands for. A cell that still shows the stored fraction
// leaves it as it is, so that looking at the page changes nothing.
void nulFractionSave(const std::string& cell, double& fraction) {
    std::int32_t percent = 0;
    if (cell != strWholePercent(fraction) && flgParseInteger(cell, percent)) {
        fraction = percent / 100.0;
    }
}

std::string strFamilyText(int family) {
    return family >= 0 && family < static_cast<int>(kIrregularitiesFamilyTexts.size())
               ? kIrregularitiesFamilyTexts[static_cast<std::size_t>(family)]
               : "";
}

int intFamilyNumber(const std::string& text) {
    for (std::size_t i = 0; i < kIrregularitiesFamilyTexts.size(); ++i) {
        if (text == kIrregularitiesFamilyTexts[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Every data row gets the percentages (and, unless none is given, the family).
void nulPresetSet(EditorState& editors, const char* percent, const char* family) {
    nulGridsSaveValues(editors);
    StringGrid& grid = editors.sgdIrregularities;
    for (int r = grid.fixedRows(); r < grid.fixedRows() + grid.dataRowCount(); ++r) {
        grid.setCell(kIrregularitiesAdjustment, r, percent);
        grid.setCell(kIrregularitiesExtraAdjustment, r, percent);
        if (family != nullptr) {
            grid.setCell(kIrregularitiesFamily, r, family);
        }
    }
    nulsgdIrregularitiesSave(editors);
}

}  // namespace

void nulArrIrregularitiesWorksetSetDefaults(TreeNode& node, int k) {
    if (TIrregularitiesWorksetItem* item = irregularityItem(node, k)) {
        *item = TIrregularitiesWorksetItem{};
    }
}

void nulSgdIrregularitiesHeadingsSet(StringGrid& grid) {
    grid.setFixedRows(1);
    grid.setRowCount(std::max(grid.rowCount(), 2));
    grid.setColCount(kIrregularitiesColumnCount);
    grid.setFixedCols(1);
    nulGridRowSet(grid, 0, 0, {kIrregularitiesHeadings.begin(), kIrregularitiesHeadings.end()});
}

bool flgIrregularitiesIsCellAvailable(const EditorState& editors, int col) {
    if (col == kIrregularitiesExtraAdjustment || col == kIrregularitiesFamily) {
        const StringGrid& measures = editors.sgdMeasures;
        return intMeasuresGetIrregTypeNumber(measures, measures.row()) > 1;
    }
    return true;
}

void nulsgdIrregularitiesLoad(EditorState& editors) {
    StringGrid& grid = editors.sgdIrregularities;
    const StringGrid& measures = editors.sgdMeasures;
    nulGridClear(grid);
    grid.beginUpdate();
    editors.lstIrregularitiesNodes.clear();
    nulSgdIrregularitiesHeadingsSet(grid);
    const int m = intMeasuresCurrentIndex(editors.sgdMeasures);
    TreeNode* first = editors.tvwDimsCats.getFirstNode();
    for (TreeNode* n = first; n != nullptr && n->level() == 0; n = n->getNextSibling()) {
        const TIrregularitiesWorksetItem* item = irregularityItem(*n, m);
        const TIrregularitiesWorksetItem w = item != nullptr ? *item : TIrregularitiesWorksetItem{};
        nulGridRowAdd(grid, {strMeasuresForText(measures, n->text()),
                             strWholePercent(w.dblStandardIrregularity),
                             strWholePercent(w.dblInterFamilyIrregularity),
                             strFamilyText(w.intIrregularityFamilyNumber)});
        editors.lstIrregularitiesNodes.push_back(nodeData(*n));
    }
    grid.endUpdate();
    grid.refresh();
    nulGridColumnsWidthSet(grid, 0, grid.colCount() - 1, 20);
    grid.setColWidth(0, intGridColumnAutoSize(grid, 0) + 1);
    // The current cell of the new rows is edited as a selected one.
    nulIrregularitiesEditingSet(grid, grid.col());
}

void nulsgdIrregularitiesSave(EditorState& editors) {
    StringGrid& grid = editors.sgdIrregularities;
    nulGridEditEndByEnter(editors, grid, sgdIrregularitiesKeyPress);
    editors.strCellPreviousText = grid.cell(grid.col(), grid.row());
    nulShownRowsSave<TIrregularitiesWorksetItem>(
        grid, editors.lstIrregularitiesNodes, intMeasuresCurrentIndex(editors.sgdMeasures),
        [&grid](int r, TIrregularitiesWorksetItem& item) {
            nulFractionSave(grid.cell(kIrregularitiesAdjustment, r), item.dblStandardIrregularity);
            nulFractionSave(grid.cell(kIrregularitiesExtraAdjustment, r),
                            item.dblInterFamilyIrregularity);
            if (const int family = intFamilyNumber(grid.cell(kIrregularitiesFamily, r));
                family >= 0) {
                item.intIrregularityFamilyNumber = family;
            }
        });
}

void btnIrregularitiesResetClick(EditorState& editors) {
    nulPresetSet(editors, "0", kIrregularitiesFamilyTexts[0]);
}

void btnIrregularitiesPercentNoneClick(EditorState& editors) {
    nulPresetSet(editors, "0", nullptr);
}

void btnIrregularitiesPercentHalfClick(EditorState& editors) {
    nulPresetSet(editors, "50", nullptr);
}

void btnIrregularitiesPercentFullClick(EditorState& editors) {
    nulPresetSet(editors, "100", nullptr);
}

}  // namespace vantorell
