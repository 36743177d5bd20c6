#include "designer/frmMain/MeasureValuesCommands.h"

#include "designer/frmMain/MeasureValuesPanels.h"

namespace vantorell {

void cbxMeasureValuesScaleChange(EditorState& editors, int index) {
    if (index >= 0 && index < static_cast<int>(kMeasureValuesScaleTexts.size())) {
        editors.intMeasureValuesScaleIndex = index;
    }
    editors.sgdMeasureValues.refresh();
}

void tbnMeasureValuesScaleZoomInClick(EditorState& editors) {
    cbxMeasureValuesScaleChange(editors, editors.intMeasureValuesScaleIndex + 1);
}

void tbnMeasureValuesScaleZoomOutClick(EditorState& editors) {
    cbxMeasureValuesScaleChange(editors, editors.intMeasureValuesScaleIndex - 1);
}

void tbnMeasureValuesShowClick(EditorState& editors, bool negative) {
    nulGridsSaveValues(editors);
    editors.flgMeasureValuesShowNegatives = negative;
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

}  // namespace vantorell
