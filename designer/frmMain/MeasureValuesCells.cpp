#include "designer/frmMain/MeasureValuesCells.h"

#include "designer/frmMain/EditorEnterKey.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasureValuesPanels.h"
#include "designer/frmMain/NumericCommit.h"
#include "designer/frmMain/PercentInput.h"
#include "designer/rtnGrids/GridNumericEdit.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

// The grid shows a group of categories, whose rows reach the working copy.
bool flgCategoryShown(const EditorState& editors) {
    return !editors.lstMeasureValuesNodes.empty();
}

bool flgShareKey(char32_t key) {
    return key == U'.' || (key >= U'0' && key <= U'9') || key == 8 || key == U'\r';
}

// The ratio under the heading in the row; false when the cell holds no number.
bool flgRatioGet(const StringGrid& grid, const char* heading, int row, double& value) {
    const int col = intGridColumnIndexGetByHeading(grid, heading);
    return col >= 0 && flgParseDouble(grid.cell(col, row), value);
}

bool refuse(EditorState& editors, int col, int row, const std::string& message) {
    editors.sgdMeasureValues.setCell(col, row, editors.strCellPreviousText);
    showMessage("Error", message, MessageIcon::Error);
    return false;
}

// An unlocked share's bar, with the other unlocked rows balancing; a drag keeps the current
// cell's text as the text before editing.
const GridBarMouse kBars = {
    .grid = [](EditorState& editors) -> StringGrid& { return editors.sgdMeasureValues; },
    .flgBarCell =
        [](const EditorState& editors, int col, int row) {
            const StringGrid& grid = editors.sgdMeasureValues;
            return col >= 0 && col == intMeasureValuesPercentColumn(grid) &&
                   row >= grid.fixedRows() && grid.dataRowCount() > 1 &&
                   flgMeasureValuesRowUnlocked(grid, row);
        },
    .balance = true,
    .fullScale = dblMeasureValuesScaleGet,
    .unit = static_cast<double>(kMeasureValuesPercentUnit),
    .previousTextOnMove = true};

}  // namespace

bool flgMeasureValuesValidateCell(EditorState& editors, int col, int row) {
    const StringGrid& grid = editors.sgdMeasureValues;
    const std::string heading = grid.cell(col, 0);
    if (heading.find("Ratio") == std::string::npos) {
        return true;
    }
    double ratio = 0;
    if (!flgParseDouble(grid.cell(col, row), ratio)) {
        return refuse(editors, col, row, strNotANumberMessage(grid.cell(col, row)));
    }
    double minimum = 0;
    double average = 0;
    double maximum = 0;
    const bool hasMin = flgRatioGet(grid, "Min. Ratio", row, minimum);
    const bool hasAvg = flgRatioGet(grid, "Avg. Ratio", row, average);
    const bool hasMax = flgRatioGet(grid, "Max. Ratio", row, maximum);
    if (heading == "Min. Ratio" && hasAvg && average < minimum) {
        return refuse(editors, col, row,
                      "Sorry, the Min. Ratio cannot be greater than the Avg. Ratio.");
    }
    if (heading == "Avg. Ratio" &&
        ((hasMin && minimum > average) || (hasMax && maximum < average))) {
        return refuse(editors, col, row,
                      "Sorry, the Avg. Ratio cannot be less than the Min. Ratio or greater than "
                      "the Max. Ratio");
    }
    if (heading == "Max. Ratio" && hasAvg && average > maximum) {
        return refuse(editors, col, row,
                      "Sorry, the Max. Ratio cannot be less than the Avg. Ratio.");
    }
    return true;
}

bool sgdMeasureValuesSelectCell(EditorState& editors, int col, int row) {
    StringGrid& grid = editors.sgdMeasureValues;
    if (editors.tvwDimsCats.count() == 0 || editors.sgdMeasures.dataRowCount() == 0) {
        grid.excludeOption(goEditing);
        return true;
    }
    if (!flgCategoryShown(editors)) {
        return false;
    }
    nulGridEditEndByEnter(editors, grid, sgdMeasureValuesKeyPress);
    editors.strCellPreviousText = grid.cell(col, row);
    nulMeasureValuesEditingSet(editors, col);
    return true;
}

void nulMeasureValuesEditingSet(EditorState& editors, int col) {
    StringGrid& grid = editors.sgdMeasureValues;
    if (!flgCategoryShown(editors) || col == intMeasureValuesLockedColumn(grid) ||
        col == intMeasureValuesPercentColumn(grid)) {
        grid.excludeOption(goEditing);
    } else {
        grid.includeOption(goEditing);
    }
}

void sgdMeasureValuesKeyPress(EditorState& editors, char32_t& key) {
    StringGrid& grid = editors.sgdMeasureValues;
    const int col = grid.col();
    const int row = grid.row();
    if (col >= 0 && col == intMeasureValuesLockedColumn(grid)) {
        if (key == U' ' || key == U'\r') {
            grid.setCell(col, row, grid.cell(col, row) == "True" ? "False" : "True");
            key = 0;
        }
        return;
    }
    if (col >= 0 && col == intMeasureValuesPercentColumn(grid)) {
        if (key == U'\x1b') {
            nulGridNumericEditCancel(grid, editors.strCellPreviousText);
            key = 0;
            return;
        }
        if (!flgMeasureValuesRowUnlocked(grid, row) || grid.dataRowCount() <= 1 ||
            !flgShareKey(key)) {
            key = 0;
            return;
        }
        if (key == U'\r') {
            if (grid.editorMode()) {
                nulMeasureValuesPercentEditEnd(editors);
            } else {
                // The share is edited in percent, as the cell shows it.
                nulGridNumericEditStart(grid, false, key, editors.strCellPreviousText,
                                        kMeasureValuesPercentUnit);
            }
            key = 0;
        } else if (!grid.editorMode()) {
            nulGridNumericEditStart(grid, true, key, editors.strCellPreviousText);
            key = 0;
        }
        return;
    }
    if (key == U'\r' && grid.editorMode()) {
        flgMeasureValuesValidateCell(editors, col, row);
    }
}

void sgdMeasureValuesKeyDown(EditorState& editors, int& key, ShiftState shift) {
    StringGrid& grid = editors.sgdMeasureValues;
    if (grid.dataRowCount() > 1) {
        nulGridPercentKeyDown(editors, grid, key, shift, kMeasureValuesPercentLimit,
                              kMeasureValuesPercentUnit, true);
    }
}

void sgdMeasureValuesDblClick(EditorState& editors) {
    StringGrid& grid = editors.sgdMeasureValues;
    const int col = grid.col();
    if (flgCategoryShown(editors) && col >= 0 && col == intMeasureValuesLockedColumn(grid)) {
        grid.setCell(col, grid.row(), grid.cell(col, grid.row()) == "False" ? "True" : "False");
    }
}

void sgdMeasureValuesMouseDown(EditorState& editors, const GridMouseEvent& event) {
    nulGridBarMouseDown(editors, kBars, event);
}

void sgdMeasureValuesMouseMove(EditorState& editors, const GridMouseEvent& event) {
    nulGridBarMouseMove(editors, kBars, event);
}

void pmuMeasureValuesEditItemClick(EditorState& editors) {
    nulGridEditItemEnter(editors, editors.sgdMeasureValues, sgdMeasureValuesKeyPress);
}

}  // namespace vantorell
