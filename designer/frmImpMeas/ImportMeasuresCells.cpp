#include "designer/frmImpMeas/ImportMeasuresCells.h"

#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnGrids/GridComboBox.h"
#include "designer/rtnGrids/GridRows.h"

namespace vantorell {

bool flgMeasuresImportHasValues(const ImportDialogState& dialog) {
    return !flgGridIsEmpty(dialog.sgdMeasuresImport);
}

bool flgMeasuresImportIsCellAvailable(int col) {
    return col == kImportMeasure;
}

bool sgdMeasuresImportSelectCell(ImportDialogState& dialog, int col, int row) {
    if (!flgMeasuresImportIsCellAvailable(col)) {
        return false;
    }
    StringGrid& grid = dialog.sgdMeasuresImport;
    dialog.strCellPreviousText = grid.cell(col, row);
    if (flgMeasuresImportHasValues(dialog)) {
        grid.includeOption(goEditing);
    } else {
        grid.excludeOption(goEditing);
    }
    return true;
}

bool sgdMeasuresImportGetEditMask(ImportDialogState& dialog, int col, int row) {
    StringGrid& grid = dialog.sgdMeasuresImport;
    if (col != kImportMeasure) {
        return true;
    }
    dialog.strCellPreviousText = grid.cell(col, row);
    const std::string& type = grid.cell(kTargetType, row);
    nulGridComboBoxShow(grid, dialog.cbxImportMeasures, col, row,
                        [&dialog, letter = type.empty() ? '\0' : type[0]](ComboBox& combo) {
                            nulCbxFillListFromMeasureArray(dialog.arrImport.measures, letter,
                                                           combo);
                            combo.addItem("");  // no measure assigned
                        });
    return false;
}

void cbxImportMeasuresKeyDown(ImportDialogState& dialog, int key, ShiftState shift) {
    nulGridComboBoxKeyDown(dialog.sgdMeasuresImport, dialog.cbxImportMeasures, key, shift,
                           dialog.strCellPreviousText);
}

void cbxImportMeasuresExit(ImportDialogState& dialog) {
    flgGridComboBoxHide(dialog.sgdMeasuresImport, dialog.cbxImportMeasures,
                        dialog.strCellPreviousText);
}

}  // namespace vantorell
