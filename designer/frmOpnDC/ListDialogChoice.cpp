#include "designer/frmOpnDC/ListDialogChoice.h"

#include "designer/rtnGrids/TrimBlanks.h"

namespace vantorell {

void ListDialogChoice::FormShow() {
    flgOkPressed = false;
    edtDimensionName = kDefaultDimensionName;
}

void ListDialogChoice::btnOkClick() {
    // Ok takes the focus from the edit field, which leaves it.
    edtDimensionNameExit();
    flgOkPressed = true;
}

void ListDialogChoice::edtDimensionNameExit() {
    if (trimBlanks(edtDimensionName).empty()) {
        edtDimensionName = kDefaultDimensionName;
    }
}

std::optional<ListConversionChoice> ListDialogChoice::choice() const {
    if (!flgOkPressed) {
        return std::nullopt;
    }
    return ListConversionChoice{rbnUseSpecifiedDimension, edtDimensionName};
}

}  // namespace vantorell
