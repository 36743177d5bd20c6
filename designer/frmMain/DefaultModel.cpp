#include "designer/frmMain/DefaultModel.h"

#include "designer/frmMain/DimsCatsCommands.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/MeasuresEditor.h"

namespace vantorell {

TreeNode* nulDefaultModelBuild(EditorState& editors) {
    intMeasuresAddRow(editors, false);
    tbnDimsCatsAddSiblingClick(editors);
    tbnDimsCatsAddChildClick(editors);
    TreeNode* dimension = editors.tvwDimsCats.getFirstNode();
    editors.tvwDimsCats.setSelected(dimension);
    nulDimsCatsDisplayCodes(editors);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
    return dimension;
}

}  // namespace vantorell
