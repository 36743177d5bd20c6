#pragma once
// What the list conversion dialog holds and how its handlers change it, without widgets:
// the dialog shows this state, and tests drive it directly.

#include <optional>
#include <string>

#include "designer/frmMain/DocumentPorts.h"

namespace vantorell {

inline constexpr const char* kDefaultDimensionName = "Dimension 1";

class ListDialogChoice {
public:
    // Left through Ok.
    bool flgOkPressed = false;
    // The specified-name button is checked; otherwise the file-records button is.
    bool rbnUseSpecifiedDimension = true;
    std::string edtDimensionName = kDefaultDimensionName;

    // The name label and the edit field go with the specified-name button.
    bool flgDimensionNameEnabled() const { return rbnUseSpecifiedDimension; }

    // Not yet confirmed, and the default name; the buttons keep their last state.
    void FormShow();
    // False, with a message, for a name the conversion could not give the dimension; the
    // dialog then stays open.
    bool btnOkClick();
    void rbnUseSpecifiedDimensionClick() { rbnUseSpecifiedDimension = true; }
    void rbnUseDimensionsFromFileClick() { rbnUseSpecifiedDimension = false; }
    // A name that is blank once trimmed gives way to the default; any other stays as typed.
    void edtDimensionNameExit();

    // The choice once the dialog is hidden; none unless it was left through Ok.
    std::optional<ListConversionChoice> choice() const;
};

}  // namespace vantorell
