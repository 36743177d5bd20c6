// What externalize and internalize share: the change digest, the log and the small routines.
#include "designer/frmMain/ArraysConversion.h"

#include "designer/frmMain/ArraysLog.h"
#include "designer/rtnFiles.h"
#include "designer/rtnReaderWriter/ModelNumbers.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/MessageService.h"

namespace vantorell {

std::string strChecksumGet(const EditorState& editors, TArrDimensions& dimensions,
                           TArrCategories& categories, TArrIrregularities& irregularities,
                           TArrMeasureValues& values, TArrMeasures& measures) {
    std::string checksum;
    flgWriteFile(editors.strProgramFolder, "", "", "", editors.intReaderWriterDebugFlags, checksum,
                 true, false, true, irregularities, values, measures, categories, dimensions,
                 editors.intRequestedPoints);
    return checksum;
}

std::string strChecksumGet(const EditorState& editors, ModelArrays& model) {
    return strChecksumGet(editors, model.dimensions, model.categories, model.irregularities,
                          model.values, model.measures);
}

bool nulExternalizeReaderWriterArrays(EditorState& editors, ModelArrays& model,
                                      std::string& checksum, const std::string& logCaption,
                                      const std::string& logFileName) {
    return nulExternalizeReaderWriterArrays(editors, model.dimensions, model.categories, checksum,
                                            logCaption, logFileName, model.irregularities,
                                            model.values, model.measures);
}

bool nulInternalizeReaderWriterArrays(EditorState& editors, ModelArrays& model,
                                      std::string& checksum,
                                      const TArrImportMeasuresTranslation& measureTranslation,
                                      const TArrImportDimensionsTranslation& dimensionTranslation,
                                      bool importMode, const std::string& logCaption,
                                      const std::string& logFileName) {
    return nulInternalizeReaderWriterArrays(editors, model.dimensions, model.categories, checksum,
                                            measureTranslation, dimensionTranslation, importMode,
                                            logCaption, logFileName, model.irregularities,
                                            model.values, model.measures);
}

std::string strFirstNonEmpty(std::initializer_list<std::string> texts) {
    for (const std::string& text : texts) {
        if (!text.empty()) {
            return text;
        }
    }
    return {};
}

std::string strFloatOrDefault(double value, const std::string& otherwise) {
    return value >= 0 ? floatText(value).str() : otherwise;
}

std::string strIntOrDefault(long long value, const std::string& otherwise) {
    return value >= 0 ? std::to_string(value) : otherwise;
}

std::string strTextIfIndex(int index, const std::string& text, const std::string& otherwise) {
    return index >= 0 ? text : otherwise;
}

void nulArraysLogAppend(const EditorState& editors, const std::string& path,
                        const std::string& caption, const TArrDimensions& dimensions,
                        const std::string& checksum, const TArrIrregularities& irregularities,
                        const TArrMeasureValues& values, const TArrMeasures& measures,
                        const TArrCategories& categories) {
    try {
        nulArraysLogWrite(path, caption, dimensions, checksum, irregularities, values, measures,
                          categories, editors.localClock());
    } catch (const FileIoError& error) {
        // The log only helps to find faults: the command it serves goes on.
        showMessage("Error",
                    "The model arrays could not be written to the log file \"" + path + "\".\r" +
                        error.what(),
                    MessageIcon::Error);
    }
}

}  // namespace vantorell
