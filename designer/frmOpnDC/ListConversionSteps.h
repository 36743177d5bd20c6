#pragma once
// The list conversion as the document commands use it: the dialog's question, then the two
// conversion routines of the model file unit.

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "designer/frmMain/DocumentPorts.h"
#include "designer/frmOpnDC/ListDialogChoice.h"

namespace vantorell {

class ListConversionSteps : public ListConversionPort {
public:
    // `showAndWait` shows the dialog that holds `dialog` and returns once it is hidden again.
    ListConversionSteps(const ListDialogChoice& dialog, std::function<void()> showAndWait)
        : dialog_(dialog), showAndWait_(std::move(showAndWait)) {}

    std::optional<ListConversionChoice> ask() override;
    void nulConvertCsvToList(const std::string& listFile, const std::string& workFile,
                             const std::string& title) override;
    void nulConvertListToModel(const std::string& workFile, const std::string& modelFile) override;

private:
    const ListDialogChoice& dialog_;
    std::function<void()> showAndWait_;
};

}  // namespace vantorell
