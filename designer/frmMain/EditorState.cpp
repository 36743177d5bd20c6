#include "designer/frmMain/EditorState.h"

#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnGrids/GridRows.h"

namespace vantorell {

EditorState::EditorState()
    : elapsedClock([] { return std::chrono::steady_clock::now(); }), localClock(localTimeNow) {
    nulSgdMeasuresHeadingsSet(sgdMeasures);
    nulGridClear(sgdMeasures);
    sgdMeasures.setCurrentCell(0, sgdMeasures.fixedRows());
    for (const char* text : kMeasureTypeTexts) {
        cbxMeasuresType.addItem(text);
    }
    for (const char* text : kMeasureIrregTypeTexts) {
        cbxMeasuresIrregType.addItem(text);
    }
}

void EditorState::setStatusText(const std::string& text) {
    strStatusText_ = text;
    if (onStatusTextChanged) {
        onStatusTextChanged();
    }
}

BusyCursor::BusyCursor(EditorState& editors) : editors_(editors) {
    if (editors_.onBusyCursor) {
        editors_.onBusyCursor(true);
    }
}

BusyCursor::~BusyCursor() {
    if (editors_.onBusyCursor) {
        editors_.onBusyCursor(false);
    }
}

void nulGridsSaveValues(EditorState& editors) {
    if (editors.tvwDimsCats.selected() != nullptr) {
        editors.tvwDimsCats.endEdit(false);
    }
    for (const auto* exit : {&editors.sgdMeasuresExit, &editors.sgdMeasureValuesExit,
                             &editors.sgdIrregularitiesExit}) {
        if (*exit) {
            (*exit)();
        }
    }
}

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace vantorell
