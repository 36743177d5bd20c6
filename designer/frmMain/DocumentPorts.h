#pragma once
// What the document commands ask of the import dialog and of the list conversion: the
// dialogs show themselves and wait until they are hidden again. The main window installs
// them once they exist; tests script them.

#include <optional>
#include <string>

#include "designer/frmImpMeas/ImportTranslations.h"
#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

// The import dialog's result: the model it read and the user's choices.
struct ImportDialogResult {
    bool confirmed = false;  // left through Ok
    std::string fileName;    // the file the dialog read
    ModelArrays model;
    TArrImportMeasuresTranslation measures;
    TArrImportDimensionsTranslation dimensions;
};

class ImportDialogPort {
public:
    virtual ~ImportDialogPort() = default;
    // Shows the dialog for the file, which it reads itself, and returns once it is hidden.
    virtual ImportDialogResult run(const std::string& fileName) = 0;
};

// How the dimensions of a converted list are formed.
struct ListConversionChoice {
    bool useSpecifiedDimension = true;  // one dimension of this name, else one per top record
    std::string dimensionName;
};

class ListConversionPort {
public:
    virtual ~ListConversionPort() = default;
    // Shows the list conversion dialog and returns once it is hidden; nothing when the user
    // did not confirm.
    virtual std::optional<ListConversionChoice> ask() = 0;
    // The two conversion steps: comma-separated list into a list file under the title (the
    // dimension name, or "$$" for one dimension per top-level record), list file into a
    // plain model file. Each raises std::exception when it cannot complete.
    virtual void nulConvertCsvToList(const std::string& listFile, const std::string& workFile,
                                     const std::string& title) = 0;
    virtual void nulConvertListToModel(const std::string& workFile,
                                       const std::string& modelFile) = 0;
};

}  // namespace vantorell
