#include "designer/frmMain/MeasureValuesPanels.h"

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
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

}  // namespace vantorell
