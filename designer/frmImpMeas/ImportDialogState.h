#pragma once
// What the import dialog holds and how its showing and Ok change it, without widgets: the
// model read from the file to import, its dimensions with proposed new names and codes where
// they clash with the current tree, the current model's measures with the imported measure
// assigned to each, and the choices handed to the merge. The dialog shows this state, and
// tests drive it directly. The current model is never changed here.

#include <array>
#include <string>

#include "designer/frmImpMeas/ImportTranslations.h"
#include "designer/frmMain/DocumentPorts.h"
#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/ComboBox.h"
#include "designer/rtnGrids/StringGrid.h"
#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

inline constexpr const char* kImportFileCaption = "Import File";

enum DimsCatsImportColumn : int {
    kImportDimension = 0,
    kImportInclude,
    kImportNewDimensionName,
    kImportNewDimensionCode,
    kImportCategoryLimit,
    kDimsCatsImportColumnCount
};
inline constexpr std::array<const char*, kDimsCatsImportColumnCount> kDimsCatsImportHeadings = {
    "Import Dimension", "Include?", "New Dimension Name", "New Dimension Code", "Category Limit"};

enum MeasuresImportColumn : int {
    kTargetMeasure = 0,
    kTargetType,
    kImportMeasure,
    kMeasuresImportColumnCount
};
inline constexpr std::array<const char*, kMeasuresImportColumnCount> kMeasuresImportHeadings = {
    "Target Measure", "Target Type", "Import Measure"};

class ImportDialogState {
public:
    // `editors`: the main window's working copy, whose tree and measures grid the dialog
    // reads, with the program folder and the model file debug mask.
    explicit ImportDialogState(EditorState& editors);
    ImportDialogState(const ImportDialogState&) = delete;
    ImportDialogState& operator=(const ImportDialogState&) = delete;

    EditorState& editors;

    // Set by the File Import command before the dialog is shown.
    std::string strImportFile;
    // The model read from it.
    ModelArrays arrImport;
    // Left through Ok.
    bool flgOkPressed = false;
    // Per row of the dimensions grid, and per row of the measures grid.
    TArrImportDimensionsTranslation arrImportDimensionsTranslation;
    TArrImportMeasuresTranslation arrImportMeasuresTranslation;
    // Text of the current cell before the edit in progress.
    std::string strCellPreviousText;

    StringGrid sgdDimsCatsImport;
    StringGrid sgdMeasuresImport;
    // The list laid over the "Import Measure" cells.
    ComboBox cbxImportMeasures;

    // Not yet confirmed, the arrays and choices empty, the file read and both grids filled.
    // False when the file cannot be read: the "Import File" message has been shown and the
    // dialog is to close.
    bool FormShow();

    // Ends the edits in progress and takes the choices from the grids. False, with a message
    // and without the Ok flag, when an included dimension would take a name that the current
    // tree or another included dimension has: the dialog stays open to put it right.
    bool btnOkClick();

    // What the File Import command merges; the imported model is handed over.
    ImportDialogResult result();
};

// The "Category Limit" text as a number: empty gives 0 (no limit), a number beyond the
// integer range the largest integer.
std::int32_t intCategoryLimitGet(const std::string& text);

}  // namespace vantorell
