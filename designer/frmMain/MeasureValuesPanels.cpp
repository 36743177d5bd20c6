#include "designer/frmMain/MeasureValuesPanels.h"

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {

double dblMeasureValuesScaleGet(const EditorState& editors) {
    const auto index = static_cast<std::size_t>(editors.intMeasureValuesScaleIndex);
    return std::stod(kMeasureValuesScaleTexts[index < kMeasureValuesScaleTexts.size() ? index : 0]);
}

bool nulMeasureValuesSetButtonState(const EditorState& editors) {
    const StringGrid& measures = editors.sgdMeasures;
    return flgDimsCatsAndMeasuresHasValues(editors.tvwDimsCats, measures) &&
           intMeasuresGetTypeNumber(measures, measures.row()) == kMeasureTypeIndependent;
}

void nulMeasureValuesAndIrregularitiesChoosePanels(EditorState& editors) {
    const StringGrid& measures = editors.sgdMeasures;
    TreeNode* top = tneTreeNodeTopLevel(editors.tvwDimsCats.selected());
    const std::string dimension = top != nullptr ? top->text() : std::string();
    const int type = intMeasuresGetTypeNumber(measures, measures.row());
    const bool shown =
        flgDimsCatsAndMeasuresHasValues(editors.tvwDimsCats, measures) &&
        (type == kMeasureTypeIndependent ||
         (type > 0 && measures.cell(kMeasuresWeightingDimension, measures.row()) == dimension));
    editors.flgValuesPanelShown = shown;
    editors.flgMeasureValuesPageShown = shown;
    editors.flgIrregularitiesPageShown =
        shown && intMeasuresGetIrregTypeNumber(measures, measures.row()) > 0;
    if (shown) {
        nulSgdMeasureValuesLoad(editors, editors.flgMeasureValuesShowNegatives);
    } else {
        nulGridClear(editors.sgdMeasureValues);
        editors.lstMeasureValuesNodes.clear();
    }
    if (editors.flgIrregularitiesPageShown) {
        nulsgdIrregularitiesLoad(editors);
    } else {
        nulGridClear(editors.sgdIrregularities);
        editors.lstIrregularitiesNodes.clear();
    }
    editors.flgMeasureValuesButtonsEnabled = nulMeasureValuesSetButtonState(editors);
    if (editors.onPanelsChanged) {
        editors.onPanelsChanged();
    }
}

namespace {

void nulForCellsRename(StringGrid& grid, const std::vector<TDimsCatsData*>& rows,
                       const TDimsCatsData* data, const std::string& text) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] == data) {
            grid.setCell(0, grid.fixedRows() + static_cast<int>(i), text);
        }
    }
}

}  // namespace

void nulMeasureValuesAndIrregularitiesNodeRenamed(EditorState& editors, const TreeNode& node,
                                                  const std::string& name) {
    const TDimsCatsData* data = nodeData(node);
    if (data == nullptr) {
        return;
    }
    const std::string text = strMeasuresForText(editors.sgdMeasures, name);
    nulForCellsRename(editors.sgdMeasureValues, editors.lstMeasureValuesNodes, data, text);
    nulForCellsRename(editors.sgdIrregularities, editors.lstIrregularitiesNodes, data, text);
    // A dimension shown alone has no row of its own in the list, but its row shows its name.
    TreeNode* selected = editors.tvwDimsCats.selected();
    if (&node == selected && editors.lstMeasureValuesNodes.empty() &&
        editors.sgdMeasureValues.dataRowCount() == 1) {
        editors.sgdMeasureValues.setCell(0, editors.sgdMeasureValues.fixedRows(), text);
    }
}

void nulMeasureValuesAndIrregularitiesMeasureRenamed(EditorState& editors,
                                                     const std::string& previous) {
    const std::string named = strMeasuresForText(editors.sgdMeasures, "");
    const std::string was = " and " + previous;
    for (StringGrid* grid : {&editors.sgdMeasureValues, &editors.sgdIrregularities}) {
        for (int r = grid->fixedRows(); r < grid->rowCount(); ++r) {
            const std::string& cell = grid->cell(0, r);
            if (cell.ends_with(was)) {
                grid->setCell(0, r, cell.substr(0, cell.size() - was.size()) + named);
            }
        }
    }
}

}  // namespace vantorell
