// File New, Open, Reopen and Import.
#include "designer/frmMain/DocumentCommands.h"

#include "common/AsciiCase.h"
#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/ArraysLog.h"
#include "designer/frmMain/DefaultModel.h"
#include "designer/frmMain/ElapsedTime.h"
#include "designer/frmMain/MeasuresCells.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

constexpr const char* kOpenFilter =
    "Vantorell Model (*.vtm)|*.vtm|Vantorell Dimension/Category List (*.vdc)|*.vdc";
constexpr const char* kImportFilter =
    "Vantorell Model (*.vtm)|*.vtm|Vantorell Template (*.vtt)|*.vtt|"
    "Vantorell Dimension/Category List (*.vdc)|*.vdc";

FileDialogRequest openRequest(const std::string& title, const std::string& filter,
                              const std::string& folder) {
    FileDialogRequest request;
    request.title = title;
    request.fileName = "*.vtm";
    request.filter = filter;
    request.filterIndex = 1;
    request.initialFolder = folder;
    request.defaultExtension = kModelExtension;
    request.fileMustExist = true;
    return request;
}

// The conversion's own reason (a line, a name, a file) tells the user what to put right.
void nulConversionFailureReport(const char* caption, const std::string& listFile,
                                const std::string& reason) {
    showMessage(caption,
                "The dimension/category list \r" + listFile +
                    "\rcould not be converted into a model.\r\r" + reason,
                MessageIcon::Error);
}

}  // namespace

bool flgIsListFile(const std::string& fileName) {
    const std::string name = extractFileName(fileName);
    const std::size_t dot = name.rfind('.');
    return dot != std::string::npos && asciiLowerCase(name.substr(dot)) == kListExtension;
}

DocumentCommands::DocumentCommands(EditorState& editors) : editors_(editors) {}

std::string DocumentCommands::fneGetUntitledFileName() const {
    return editors_.strProgramFolder + "~untitled~." + kModelExtension;
}

void DocumentCommands::nulInitializeModel() {
    BusyCursor busy(editors_);
    nulGridsSaveValues(editors_);
    strCurrentFile = fneGetUntitledFileName();
    nulCaptionSet(strCurrentFile);
    editors_.intRequestedPoints = 0;
    arrModel.clear();
    nulInternalizeReaderWriterArrays(editors_, arrModel, strChecksum, {}, {}, false,
                                     "Internalizing initialized model... " + strCurrentFile,
                                     kArraysLogFileName);
    // Internalize adds its figures to the status text; an empty model has none to show, and
    // the text would otherwise grow with every File New.
    editors_.setStatusText({});
    editors_.tvwDimsCats.clear();
    nulGridClear(editors_.sgdMeasures);
    nulSgdMeasuresHeadingsSet(editors_.sgdMeasures);
    nulLowerPanelsReset();
}

void DocumentCommands::nulLowerPanelsReset() {
    // A model just put in place starts with its positives, and the lower grids show none of
    // the model before it.
    editors_.flgMeasureValuesShowNegatives = false;
    editors_.intBalanceRow = editors_.sgdMeasureValues.fixedRows();
    // The measures grid's current cell is edited as a selected one, whatever the grid held.
    nulMeasuresEditingSet(editors_.sgdMeasures, editors_.sgdMeasures.col());
    nulMeasureValuesAndIrregularitiesSetPanels(editors_);
}

void DocumentCommands::mnuFileNewClick() {
    nulGridsSaveValues(editors_);
    if (!flgCurrentFileCheckForSave()) {
        return;
    }
    nulInitializeModel();
    const std::string templateFile = editors_.strProgramFolder + kTemplateFileName;
    if (fileExists(templateFile)) {
        // A template starts a new model: it stays untitled, so Save never overwrites it,
        // and it is no model of the user's to reopen.
        flgModelLoad(templateFile, strCurrentFile, {},
                     "Externalizing default.vtm for checksum... " + strCurrentFile);
        return;
    }
    TreeNode* first = nulDefaultModelBuild(editors_);
    std::string checksum;
    if (nulExternalizeReaderWriterArrays(
            editors_, arrModel, checksum,
            "Externalizing default model for checksum... " + strCurrentFile, kArraysLogFileName)) {
        strChecksum = checksum;
    }
    editors_.tvwDimsCats.editText(*first);
}

void DocumentCommands::mnuFileOpenClick() {
    nulGridsSaveValues(editors_);
    const std::optional<std::string> chosen =
        fileDialogService().openFile(openRequest("Open", kOpenFilter, editors_.strProgramFolder));
    if (chosen) {
        flgFileOpen(*chosen);
    }
}

bool DocumentCommands::flgFileOpen(const std::string& fileName) {
    nulGridsSaveValues(editors_);
    if (!flgCurrentFileCheckForSave()) {
        return false;
    }
    arrModel.clear();
    if (!flgIsListFile(fileName)) {
        return flgModelLoad(fileName, fileName, fileName,
                            "Externalizing for checksum... " + fileName);
    }
    std::string converted;
    try {
        converted = fneConvertVDCToVTM(fileName);
    } catch (const std::exception& e) {
        nulConversionFailureReport("Open File", fileName, e.what());
        return false;
    }
    if (converted.empty()) {
        return false;
    }
    // A converted list has no file of its own to save to; the list is what the user reopens.
    const std::string untitled = fneGetUntitledFileName();
    return flgModelLoad(converted, untitled, fileName, "Externalizing for checksum... " + untitled);
}

bool DocumentCommands::flgModelLoad(const std::string& fileName, const std::string& currentFile,
                                    const std::string& reopenEntry,
                                    const std::string& checksumCaption) {
    // Read aside, so that a file that fails leaves the model in the editors alone.
    ModelArrays read;
    std::int32_t points = 0;
    bool ok = false;
    std::string reason;
    const auto start = editors_.elapsedClock();
    {
        BusyCursor busy(editors_);
        try {
            ok = flgReadFile(editors_.strProgramFolder, fileName, "", "",
                             editors_.intReaderWriterDebugFlags, true, points, read, reason);
        } catch (const std::exception& e) {
            ok = false;
            reason = e.what();
        }
    }
    if (!ok) {
        nulReadFailureReport(fileName, read, reason);
        return false;
    }

    const int previousPoints = editors_.intRequestedPoints;
    const std::string previousStatus = editors_.statusText();
    // The digest covers the requested points, so they are in place before it is taken.
    editors_.intRequestedPoints = points;
    editors_.setStatusText("Read: " + strElapsedTimeGet(editors_.elapsedClock(), start));
    std::string readChecksum;
    if (!nulInternalizeReaderWriterArrays(editors_, read, readChecksum, {}, {}, false,
                                          "Internalizing for file load... " + currentFile,
                                          kArraysLogFileName)) {
        editors_.intRequestedPoints = previousPoints;
        editors_.setStatusText(previousStatus);
        return false;
    }
    strCurrentFile = currentFile;
    nulCaptionSet(strCurrentFile);
    // The digest of what the editors now hold, so that the change check finds the model just
    // opened unchanged (the editors complete what a file may leave out, such as codes).
    std::string checksum;
    strChecksum = nulExternalizeReaderWriterArrays(editors_, arrModel, checksum, checksumCaption,
                                                   kArraysLogFileName)
                      ? checksum
                      : readChecksum;
    // The first node is the one the lower panels show, and the one the tree's commands act on.
    editors_.tvwDimsCats.setSelected(editors_.tvwDimsCats.getFirstNode());
    nulLowerPanelsReset();
    if (!reopenEntry.empty()) {
        nulMainMenuReopenListAddItem(reopenEntry);
    }
    return true;
}

void DocumentCommands::nulReadFailureReport(const std::string& fileName,
                                            const ModelArrays& leftOver,
                                            const std::string& reason) {
    // The reader's reason follows the caption, on a line of its own.
    std::string caption =
        "Array dump after rtnReaderWriter.flgReadFile(...) had a Fatal Error reading " + fileName;
    if (!reason.empty()) {
        caption += "\r\n" + reason;
    }
    nulArraysLogAppend(editors_, editors_.strProgramFolder + kArraysLogFileName, caption,
                       leftOver.dimensions, "", leftOver.irregularities, leftOver.values,
                       leftOver.measures, leftOver.categories);
    std::string text = "A fatal error was encountered while attempting to read the \r" + fileName +
                       " file.\r\rThe information available at the time of the error has been "
                       "appended to the \r" +
                       editors_.strProgramFolder + kArraysLogFileName + " file.";
    if (!reason.empty()) {
        text += "\r\r" + reason;
    }
    showMessage("Open File", text, MessageIcon::Error);
}

void DocumentCommands::mnuFileReopenNClick(const std::string& path) {
    if (fileExists(path)) {
        flgFileOpen(path);
        return;
    }
    showMessage("Reopen File", "File " + path + " does not exist.", MessageIcon::Error);
}

void DocumentCommands::mnuFileImportClick() {
    nulGridsSaveValues(editors_);
    const std::optional<std::string> chosen = fileDialogService().openFile(
        openRequest("Import", kImportFilter, editors_.strProgramFolder));
    if (chosen) {
        flgFileImport(*chosen);
    }
}

bool DocumentCommands::flgFileImport(const std::string& fileName) {
    nulGridsSaveValues(editors_);
    if (importDialog == nullptr || !flgCurrentFileCheckForSave()) {
        return false;
    }
    std::string toImport = fileName;
    if (flgIsListFile(fileName)) {
        try {
            toImport = fneConvertVDCToVTM(fileName);
        } catch (const std::exception& e) {
            nulConversionFailureReport("Import File", fileName, e.what());
            return false;
        }
        if (toImport.empty()) {
            return false;
        }
    }
    ImportDialogResult result = importDialog->run(toImport);
    if (!result.confirmed) {
        return false;
    }
    // The digest of the saved state stays, so the merged model counts as changed.
    std::string discarded;
    const bool imported = nulInternalizeReaderWriterArrays(
        editors_, result.model, discarded, result.measures, result.dimensions, true,
        "Internalizing for file import... " + result.fileName, kArraysLogFileName);
    // The merge may bring dimensions and irregularity types the lower panels must show.
    nulMeasureValuesAndIrregularitiesSetPanels(editors_);
    return imported;
}

std::string DocumentCommands::fneConvertVDCToVTM(const std::string& listFile) {
    if (listConversion == nullptr) {
        showMessage("Open File",
                    "The dimension/category list \r" + listFile +
                        "\rcannot be opened: this version has no list conversion.",
                    MessageIcon::Error);
        return {};
    }
    const std::optional<ListConversionChoice> choice = listConversion->ask();
    if (!choice) {
        return {};
    }
    BusyCursor busy(editors_);
    const std::string workFile = strWorkFolder + "vdcworkfile.tmp";
    const std::string outputFile = strWorkFolder + "vdcoutputfile.vtm";
    for (const std::string& earlier : {workFile, outputFile}) {
        if (fileExists(earlier)) {
            deleteFile(earlier);
        }
    }
    listConversion->nulConvertCsvToList(
        listFile, workFile, choice->useSpecifiedDimension ? choice->dimensionName : "$$");
    listConversion->nulConvertListToModel(workFile, outputFile);
    return outputFile;
}

}  // namespace vantorell
