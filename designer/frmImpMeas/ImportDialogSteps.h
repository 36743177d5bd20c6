#pragma once
// The import dialog as the File Import command uses it: the file handed to the dialog, the
// dialog shown until it is hidden again, and its result.

#include <functional>
#include <utility>

#include "designer/frmImpMeas/ImportDialogState.h"
#include "designer/frmMain/DocumentPorts.h"

namespace vantorell {

class ImportDialogSteps : public ImportDialogPort {
public:
    // `showAndWait` shows the dialog that holds `dialog` and returns once it is hidden again.
    ImportDialogSteps(ImportDialogState& dialog, std::function<void()> showAndWait)
        : dialog_(dialog), showAndWait_(std::move(showAndWait)) {}

    ImportDialogResult run(const std::string& fileName) override;

private:
    ImportDialogState& dialog_;
    std::function<void()> showAndWait_;
};

}  // namespace vantorell
