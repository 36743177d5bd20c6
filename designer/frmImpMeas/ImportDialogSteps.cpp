#include "designer/frmImpMeas/ImportDialogSteps.h"

namespace vantorell {

ImportDialogResult ImportDialogSteps::run(const std::string& fileName) {
    dialog_.strImportFile = fileName;
    showAndWait_();
    return dialog_.result();
}

}  // namespace vantorell
