#include "designer/frmMain/EditorState.h"

#include <memory>
#include <random>

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/DimsCatsRename.h"
#include "designer/frmMain/IrregularitiesCells.h"
#include "designer/frmMain/MeasureValuesCells.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasureValuesPanels.h"
#include "designer/frmMain/MeasuresCells.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnGrids/GridRows.h"

namespace vantorell {
namespace {

std::function<int(int)> clockSeededRandom() {
    const auto seed = static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count());
    auto engine = std::make_shared<std::mt19937>(seed);
    return
        [engine](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(*engine); };
}

}  // namespace

EditorState::EditorState()
    : elapsedClock([] { return std::chrono::steady_clock::now(); }),
      localClock(localTimeNow),
      randomNumber(clockSeededRandom()) {
    nulSgdMeasuresHeadingsSet(sgdMeasures);
    nulGridClear(sgdMeasures);
    sgdMeasures.setCurrentCell(0, sgdMeasures.fixedRows());
    for (const char* text : kMeasureTypeTexts) {
        cbxMeasuresType.addItem(text);
    }
    for (const char* text : kMeasureIrregTypeTexts) {
        cbxMeasuresIrregType.addItem(text);
    }
    nulMeasuresCellsConnect(*this);
    nulIrregularitiesCellsConnect(*this);
    nulSgdMeasureValuesHeadingsSet(*this);
    nulGridClear(sgdMeasureValues);
    intBalanceRow = sgdMeasureValues.fixedRows();
    sgdMeasureValues.onSelectCell = [this](int col, int row) {
        return sgdMeasureValuesSelectCell(*this, col, row);
    };
    sgdMeasureValuesExit = [this] {
        nulSgdMeasureValuesSave(*this, flgMeasureValuesShowNegatives);
    };
    measureValuesAndIrregularitiesPanelsSet = [this] {
        nulMeasureValuesAndIrregularitiesChoosePanels(*this);
    };
    // Every in-place edit of a name passes the tree editor's checks before the node takes it.
    tvwDimsCats.onEdited = [this](TreeNode& node, std::string& text) {
        tvwDimsCatsEdited(*this, node, text);
    };
    tvwDimsCats.onDeletion = tvwDimsCatsDeletion;
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
    // A code being edited belongs to a node the command may move or delete.
    if (editors.lvwDimsCats.onEndEdit) {
        editors.lvwDimsCats.onEndEdit();
    }
    for (const auto* exit : {&editors.sgdMeasuresExit, &editors.sgdMeasureValuesExit,
                             &editors.sgdIrregularitiesExit}) {
        if (*exit) {
            (*exit)();
        }
    }
}

void nulMeasureValuesAndIrregularitiesSetPanels(EditorState& editors) {
    if (editors.measureValuesAndIrregularitiesPanelsSet) {
        editors.measureValuesAndIrregularitiesPanelsSet();
        return;
    }
    editors.lstMeasureValuesNodes.clear();
    editors.lstIrregularitiesNodes.clear();
}

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace vantorell
