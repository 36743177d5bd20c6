// The Send Model session: account decision, acceptance and the selection grid.
#include "designer/frmSendM/SendModelSession.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "common/AsciiCase.h"
#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "designer/rtnReaderWriter/SuggestedPoints.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

const std::vector<std::string> kHeadings = {"File", "Minimum Points", "Suggested Points",
                                            "Requested Points"};
constexpr const char* kModelFilter =
    "Vantorell Model (*.vtm)|*.vtm|Vantorell Template (*.vtt)|*.vtt";

}  // namespace

SendModelSession::SendModelSession(CubeSessionContext sessionContext)
    : CubeSession(CubeDialogKind::SendModel, kSendModelCaption, kSendModelLogName,
                  std::move(sessionContext)) {
    StringGrid& grid = sgdSelectionFiles;
    grid.setColCount(4);
    grid.setRowCount(2);
    grid.setFixedRows(1);
    grid.setFixedCols(0);
    grid.setDefaultRowHeight(17);
    const int widths[] = {211, 64, 64, 64};
    for (int col = 0; col < 4; ++col) {
        grid.setColWidth(col, widths[col]);
    }
    grid.setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect |
                    goColSizing);
    grid.onSelectCell = [this](int col, int row) { return sgdSelectionFilesSelectCell(col, row); };
}

void SendModelSession::nulFormShowFields() {
    nulGridClear(sgdSelectionFiles);
    strRowRefusals.clear();
    nulGridRowSet(sgdSelectionFiles, 0, 0, kHeadings);
    nulGridColumnsWidthSet(sgdSelectionFiles, 1, 3, 0);
}

void SendModelSession::nulStage2Controls(bool enabled) {
    btnAcceptanceYes.enabled = enabled;
    btnAcceptanceNo.enabled = enabled;
    if (enabled) {
        btnClose.enabled = true;
    }
}

void SendModelSession::nulSelectionControls(bool enabled) {
    sgdSelectionFilesEnabled = enabled;
    bbnSelectionFileAdd.enabled = enabled;
    bbnSelectionFileDel.enabled = enabled;
    if (!enabled) {
        btnSelection.enabled = false;
    }
}

void SendModelSession::nulSelectionButtonStateAndTotalSet() {
    btnSelection.enabled = !flgGridIsEmpty(sgdSelectionFiles);
    changed();
}

void SendModelSession::btnAcceptanceYesClick() {
    nulStageAdvance();
    nulGridClear(sgdSelectionFiles);
    strRowRefusals.clear();
    const std::string current = fneCurrentModel ? fneCurrentModel() : std::string();
    if (!current.empty()) {
        nulModelRowAdd(current);
    }
    if (flgGridIsEmpty(sgdSelectionFiles)) {
        bbnSelectionFileAddClick();
    }
    nulSelectionButtonStateAndTotalSet();
}

void SendModelSession::btnAcceptanceNoClick() {
    // The server's account file keeps the busy mark of the login.
    nulStageFailed("Responded \"No\" to acceptance.");
}

bool SendModelSession::flgModelGetSuggestedPoints(const std::string& file,
                                                  std::int32_t& minimumPoints,
                                                  std::int32_t& requestedPoints,
                                                  std::int64_t& suggestedPoints,
                                                  std::string& refusal) {
    minimumPoints = 0;
    requestedPoints = 0;
    suggestedPoints = 0;
    refusal.clear();
    ModelArrays model;
    bool read = false;
    try {
        read = flgReadFile(context.strProgramFolder, file, "", "",
                           context.intReaderWriterDebugFlags, false, requestedPoints, model);
        flgGetSuggestedPoints(model, minimumPoints, suggestedPoints,
                              context.intReaderWriterDebugFlags);
    } catch (const std::exception& e) {
        // The row still goes in, with the reason; preparing the file reports it again.
        refusal = e.what();
        return false;
    }
    refusal = read ? strProtectedCopyRefusal(model)
                   : "The file " + file + " does not hold a whole model.";
    return read;
}

std::string SendModelSession::strRowRefusal(int row) const {
    const auto found = strRowRefusals.find(sgdSelectionFiles.cell(kSendColFile, row));
    return found == strRowRefusals.end() ? std::string() : found->second;
}

int SendModelSession::intRowWithSameNameFind(const std::string& path) const {
    const StringGrid& grid = sgdSelectionFiles;
    if (flgGridIsEmpty(grid)) {
        return -1;
    }
    const std::string name = extractFileName(path);
    const int rows = grid.fixedRows() + grid.dataRowCount();
    for (int row = grid.fixedRows(); row < rows; ++row) {
        if (sameAsciiText(extractFileName(grid.cell(kSendColFile, row)), name)) {
            return row;
        }
    }
    return -1;
}

void SendModelSession::nulModelRowAdd(const std::string& path) {
    std::int32_t minimum = 0;
    std::int32_t requested = 0;
    std::int64_t suggested = 0;
    std::string refusal;
    flgModelGetSuggestedPoints(path, minimum, requested, suggested, refusal);
    if (refusal.empty()) {
        strRowRefusals.erase(path);
    } else {
        strRowRefusals[path] = refusal;
    }
    nulGridRowAdd(sgdSelectionFiles,
                  {path, std::to_string(minimum),
                   std::to_string(intSuggestedPointsShown(suggested)), std::to_string(requested)});
    nulGridColumnsWidthSet(sgdSelectionFiles, 0, 3, 0);
    changed();
}

void SendModelSession::bbnSelectionFileAddClick() {
    StringGrid& grid = sgdSelectionFiles;
    if (grid.rowCount() - grid.fixedRows() >= intCubesAvailable && !flgGridIsEmpty(grid)) {
        showMessage(dialogCaption(MessageIcon::Warning),
                    "Sorry, you have reached you maximum number of allowed cubes.",
                    MessageIcon::Warning);
        return;
    }
    FileDialogRequest request;
    request.title = "Open";
    request.filter = kModelFilter;
    request.filterIndex = 1;
    request.initialFolder = context.strProgramFolder;
    request.fileMustExist = true;
    const std::optional<std::vector<std::string>> chosen = fileDialogService().openFiles(request);
    if (chosen) {
        for (const std::string& path : *chosen) {
            if (intGridRowFind(grid, kSendColFile, path) >= 0) {
                continue;
            }
            // Uploads go by the file's name: a second model of the name would replace the
            // first on the server.
            const int clash = intRowWithSameNameFind(path);
            if (clash >= 0) {
                showMessage(dialogCaption(MessageIcon::Warning),
                            "Sorry, " + path +
                                " cannot be added: " + grid.cell(kSendColFile, clash) +
                                " is listed already, and the server keeps only one model of "
                                "the name " +
                                extractFileName(path) + ".",
                            MessageIcon::Warning);
                continue;
            }
            nulModelRowAdd(path);
        }
    }
    nulSelectionButtonStateAndTotalSet();
}

void SendModelSession::bbnSelectionFileDelClick() {
    StringGrid& grid = sgdSelectionFiles;
    const GridRect selected = grid.selection();
    for (int row = selected.bottom; row >= selected.top; --row) {
        nulGridRowDelete(grid, row);
    }
    nulSelectionButtonStateAndTotalSet();
}

bool SendModelSession::sgdSelectionFilesSelectCell(int col, int /*row*/) {
    StringGrid& grid = sgdSelectionFiles;
    if (flgGridIsEmpty(grid) || col != kSendColRequested) {
        grid.excludeOption(goEditing);
    } else {
        grid.includeOption(goEditing);
    }
    return true;
}

void SendModelSession::sgdSelectionFilesKeyPress(char32_t& key) {
    const bool digit = key >= U'0' && key <= U'9';
    if (sgdSelectionFiles.col() >= kSendColMinimum && !digit && key != 8 && key != 13) {
        key = 0;
    }
}

void SendModelSession::btnSelectionClick() {
    const std::string host = strTransferStageEnter();
    if (!host.empty()) {
        flgTransfer(host, context.address.intServerPort);
    }
}

}  // namespace vantorell
