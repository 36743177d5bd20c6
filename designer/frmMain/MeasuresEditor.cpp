#include "designer/frmMain/MeasuresEditor.h"

#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/MeasuresWorkingData.h"
#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"

namespace vantorell {
namespace {

// Name, code, type and totals of a new row; its defaults follow from its type.
std::vector<std::string> newRowValues(const StringGrid& grid) {
    return {strGridColumnUniqueValue(grid, kMeasuresName, "Measure "),
            strGridColumnUniqueValue(grid, kMeasuresCode, "MEAS"),
            kMeasureTypeTexts[kMeasureTypeIndependent], "0", "0"};
}

// What adding and inserting share once the row holds its values.
void nulNewRowSetUp(EditorState& editors, int row) {
    StringGrid& grid = editors.sgdMeasures;
    nulMeasuresTypeSetRowDefaults(grid, row);
    editors.strCellPreviousText = grid.cell(kMeasuresName, row);
    nulGridColumnsWidthSet(grid, 0, grid.colCount() - 1, 20);
    nulMeasureAddToDimsCats(editors, row - grid.fixedRows());
}

void nulNameEditStart(EditorState& editors, int row) {
    StringGrid& grid = editors.sgdMeasures;
    grid.setCurrentCell(kMeasuresName, row);
    grid.includeOption(goEditing);
    grid.setEditorMode(true);
    grid.setFocus();
    // A lower grid that held the focus has stored its values on losing it, and taken its own
    // current text as the text before editing: the name's checks go back to the new name.
    editors.strCellPreviousText = grid.cell(kMeasuresName, row);
}

}  // namespace

void nulMeasuresTypeSetRowDefaults(StringGrid& sgdMeasures, int row) {
    sgdMeasures.beginUpdate();
    switch (intMeasuresGetTypeNumber(sgdMeasures, row)) {
        case kMeasureTypeIndependent:
            sgdMeasures.setCell(kMeasuresIrregularityType, row, kMeasureIrregTypeTexts[0]);
            break;
        case kMeasureTypeWeighted:
            sgdMeasures.setCell(kMeasuresIrregularityType, row, {});
            break;
        default:
            break;
    }
    sgdMeasures.endUpdate();
    sgdMeasures.refresh();
    nulMeasuresIrregularityTypeSetRowDefaults(sgdMeasures, row);
}

void nulMeasuresIrregularityTypeSetRowDefaults(StringGrid& sgdMeasures, int row) {
    const int type = intMeasuresGetTypeNumber(sgdMeasures, row);
    if (type != kMeasureTypeIndependent && type != kMeasureTypeWeighted) {
        return;
    }
    sgdMeasures.beginUpdate();
    sgdMeasures.setCell(kMeasuresGlobalPercentage, row,
                        type == kMeasureTypeIndependent ? "100" : "");
    sgdMeasures.setCell(kMeasuresSourceMeasure, row, {});
    sgdMeasures.setCell(kMeasuresWeightingDimension, row, {});
    sgdMeasures.endUpdate();
    sgdMeasures.refresh();
}

bool nulMeasuresSetButtonState(const StringGrid& sgdMeasures) {
    return flgMeasuresHasValues(sgdMeasures);
}

int intMeasuresAddRow(EditorState& editors, bool edit) {
    StringGrid& grid = editors.sgdMeasures;
    nulGridsSaveValues(editors);
    grid.setEditorMode(false);
    nulGridRowAdd(grid, newRowValues(grid));
    const int row = grid.rowCount() - 1;
    nulNewRowSetUp(editors, row);
    if (edit) {
        nulNameEditStart(editors, row);
    }
    return row;
}

int intMeasuresInsertRow(EditorState& editors, int row) {
    StringGrid& grid = editors.sgdMeasures;
    if (flgGridIsEmpty(grid)) {
        return intMeasuresAddRow(editors, true);
    }
    nulGridsSaveValues(editors);
    grid.setEditorMode(false);
    nulGridRowInsert(grid, row, newRowValues(grid));
    nulNewRowSetUp(editors, row);
    nulNameEditStart(editors, row);
    return row;
}

void nulMeasuresDeleteRow(EditorState& editors, int row) {
    StringGrid& grid = editors.sgdMeasures;
    nulGridsSaveValues(editors);
    if (row < grid.fixedRows() || row >= grid.rowCount() || flgGridIsEmpty(grid)) {
        return;
    }
    // A weighted measure must not keep a source the model no longer has.
    const std::string name = grid.cell(kMeasuresName, row);
    nulMeasuresDelFromDimsCats(editors, row - grid.fixedRows());
    nulGridRowDelete(grid, row);
    nulGridCellsReplace(grid, kMeasuresSourceMeasure, kMeasuresSourceMeasure, grid.fixedRows(),
                        grid.rowCount() - 1, name, {});
}

void nulMeasuresSwapRow(EditorState& editors, int other) {
    StringGrid& grid = editors.sgdMeasures;
    const int row = grid.row();
    if (flgGridIsEmpty(grid) || other < grid.fixedRows() || other >= grid.rowCount()) {
        return;
    }
    nulMeasureSwapInDimsCats(editors, row, other);
    if (flgGridRowsSwap(grid, row, other)) {
        grid.setRow(other);
    }
}

void tbnMeasureAddClick(EditorState& editors) {
    intMeasuresAddRow(editors, true);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void tbnMeasureInsertClick(EditorState& editors) {
    intMeasuresInsertRow(editors, editors.sgdMeasures.row());
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void tbnMeasureRemClick(EditorState& editors) {
    nulMeasuresDeleteRow(editors, editors.sgdMeasures.row());
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void tbnMeasureMoveUpClick(EditorState& editors) {
    nulGridsSaveValues(editors);
    nulMeasuresSwapRow(editors, editors.sgdMeasures.row() - 1);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void tbnMeasureMoveDownClick(EditorState& editors) {
    nulGridsSaveValues(editors);
    nulMeasuresSwapRow(editors, editors.sgdMeasures.row() + 1);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

}  // namespace vantorell
