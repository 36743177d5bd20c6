#include "designer/frmOpnDC/ListDialogChoice.h"

#include "designer/rtnGrids/TrimBlanks.h"
#include "designer/rtnReaderWriter/ListConversion.h"
#include "platform/MessageService.h"

namespace vantorell {

void ListDialogChoice::FormShow() {
    flgOkPressed = false;
    edtDimensionName = kDefaultDimensionName;
}

bool ListDialogChoice::btnOkClick() {
    // Ok takes the focus from the edit field, which leaves it.
    edtDimensionNameExit();
    // The list file names the dimension in its title line, where "$$" asks for one
    // dimension per top-level record instead.
    if (rbnUseSpecifiedDimension && edtDimensionName == kDimensionsFromFileTitle) {
        showMessage("Error",
                    "Sorry, \"$$\" cannot be the name of a dimension: a list converted under "
                    "that name takes its dimensions from the top-level records of the file. "
                    "Please choose another name.",
                    MessageIcon::Error);
        return false;
    }
    flgOkPressed = true;
    return true;
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
