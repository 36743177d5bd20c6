#include "designer/frmImpMeas/ImportDimsCatsCells.h"

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/EditorEnterKey.h"
#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnGrids/GridRows.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

bool flgLimitKey(char32_t key) {
    return (key >= U'0' && key <= U'9') || key == 8 || key == U'\r';
}

void nulValueClashReport(const std::string& value, int row, const std::string& holder,
                         const char* where) {
    showMessage(dialogCaption(MessageIcon::Error),
                "Sorry, the value entered (i.e. " + value + "), \ris already being used by row " +
                    std::to_string(row) + " (i.e. " + holder + ") \r" + where,
                MessageIcon::Error, kButtonCancel);
}

}  // namespace

bool flgDimsCatsImportHasValues(const ImportDialogState& dialog) {
    return !flgGridIsEmpty(dialog.sgdDimsCatsImport);
}

bool flgDimsCatsImportIsCellAvailable(int col) {
    return col != kImportDimension;
}

int intImportValueClash(ImportDialogState& dialog, const std::string& value, int scope) {
    if (TreeNode* first = dialog.editors.tvwDimsCats.getFirstNode()) {
        if (const TreeNode* used = tneTreeIsValueUnique(*first, value, scope, false)) {
            const int position = used->absoluteIndex();
            nulValueClashReport(value, position + 1, used->text(),
                                "in the current models Dimensions/Category Tree.");
            return position;
        }
    }
    const StringGrid& grid = dialog.sgdDimsCatsImport;
    const int row = intGridRowFind(grid, kImportDimension, value);
    if (row >= 0) {
        nulValueClashReport(value, row, grid.cell(kImportDimension, row),
                            "in the Import Dimension/Category Grid.");
    }
    return row;
}

bool sgdDimsCatsImportSelectCell(ImportDialogState& dialog, int col, int row) {
    if (!flgDimsCatsImportIsCellAvailable(col)) {
        return false;
    }
    StringGrid& grid = dialog.sgdDimsCatsImport;
    // The edit in progress is checked in its own cell before the text before editing moves on.
    nulGridEditEndByEnter(dialog, grid, sgdDimsCatsImportKeyPress);
    dialog.strCellPreviousText = grid.cell(col, row);
    if (col == kImportInclude || !flgDimsCatsImportHasValues(dialog)) {
        grid.excludeOption(goEditing);
    } else {
        grid.includeOption(goEditing);
    }
    return true;
}

bool sgdDimsCatsImportGetEditMask(ImportDialogState& dialog, int col, int row) {
    dialog.strCellPreviousText = dialog.sgdDimsCatsImport.cell(col, row);
    return true;
}

void sgdDimsCatsImportKeyPress(ImportDialogState& dialog, char32_t& key) {
    StringGrid& grid = dialog.sgdDimsCatsImport;
    const int col = grid.col();
    const int row = grid.row();
    switch (col) {
        case kImportInclude:
            if (key == U' ' || key == U'\r') {
                if (flgDimsCatsImportHasValues(dialog)) {
                    grid.setCell(col, row, grid.cell(col, row) == "True" ? "False" : "True");
                }
                key = 0;
            }
            break;
        case kImportCategoryLimit:
            if (!flgLimitKey(key)) {
                key = 0;
            }
            break;
        case kImportNewDimensionName:
        case kImportNewDimensionCode:
            if (key == U'\r' && grid.editorMode()) {
                // Enter ends the edit before its check: the clash message takes the focus
                // from the grid, whose exit would otherwise check the same text again.
                grid.setEditorMode(false);
                if (intImportValueClash(dialog, grid.cell(col, row),
                                        col == kImportNewDimensionName ? 0 : 1) >= 0) {
                    grid.setCell(col, row, dialog.strCellPreviousText);
                }
            }
            break;
        default:
            break;
    }
}

void sgdDimsCatsImportDblClick(ImportDialogState& dialog) {
    StringGrid& grid = dialog.sgdDimsCatsImport;
    if (grid.col() == kImportInclude && flgDimsCatsImportHasValues(dialog)) {
        const int row = grid.row();
        grid.setCell(kImportInclude, row,
                     grid.cell(kImportInclude, row) == "False" ? "True" : "False");
    }
}

void sgdDimsCatsImportExit(ImportDialogState& dialog) {
    nulGridEditEndByEnter(dialog, dialog.sgdDimsCatsImport, sgdDimsCatsImportKeyPress);
}

}  // namespace vantorell
