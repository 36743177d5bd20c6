#include "designer/frmOpnDC/ListConversionSteps.h"

#include "designer/rtnReaderWriter/ListConversion.h"

namespace vantorell {

std::optional<ListConversionChoice> ListConversionSteps::ask() {
    showAndWait_();
    return dialog_.choice();
}

void ListConversionSteps::nulConvertCsvToList(const std::string& listFile,
                                              const std::string& workFile,
                                              const std::string& title) {
    vantorell::nulConvertCsvToList(listFile, workFile, title);
}

void ListConversionSteps::nulConvertListToModel(const std::string& workFile,
                                                const std::string& modelFile) {
    vantorell::nulConvertListToModel(workFile, modelFile);
}

}  // namespace vantorell
