#include "designer/frmMain/MeasuresCells.h"

#include <algorithm>

#include "common/ShortString.h"
#include "designer/frmMain/DimsCatsRename.h"
#include "designer/frmMain/MeasureValuesPanels.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/MeasuresWorkingData.h"
#include "designer/frmMain/NumericCommit.h"
#include "designer/frmMain/PercentInput.h"
#include "designer/frmMain/SmallRoutines.h"
#include "designer/rtnGrids/GridComboBox.h"
#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnGrids/GridNumericEdit.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

constexpr int kPercentLimit = 100;

void sorry(const std::string& text) {
    showMessage("Error", text, MessageIcon::Error);
}

bool flgListColumn(int col) {
    return col == kMeasuresType || col == kMeasuresIrregularityType ||
           col == kMeasuresSourceMeasure || col == kMeasuresWeightingDimension;
}

// The characters a number column lets through: ".", digits, Backspace and Enter.
bool flgNumberKey(char32_t key) {
    return key == U'.' || (key >= U'0' && key <= U'9') || key == 8 || key == U'\r';
}

// The cell gets the text before editing back, with the message.
bool refuse(EditorState& editors, int col, int row, const std::string& message) {
    editors.sgdMeasures.setCell(col, row, editors.strCellPreviousText);
    sorry(message);
    return false;
}

bool flgNameOrCodeValid(EditorState& editors, int col, int row) {
    StringGrid& grid = editors.sgdMeasures;
    std::string text = grid.cell(col, row);
    if (strBlanksNormalize(text).empty()) {
        return refuse(editors, col, row, kValueRequiredMessage);
    }
    const bool code = col == kMeasuresCode;
    text = cutUtf8(code ? strBlanksNormalize(text) : text, code ? kCodeLimit : kNameLimit);
    grid.setCell(col, row, text);
    if (const std::string refusal = strModelTextRefusal(text, code); !refusal.empty()) {
        return refuse(editors, col, row, refusal);
    }
    const int other = intGridRowFindOther(grid, col, text, row);
    if (other >= 0) {
        return refuse(editors, col, row,
                      strValueUsedMessage(text, other, grid.cell(kMeasuresName, other)));
    }
    return true;
}

void nulPercentKeyPress(EditorState& editors, char32_t& key) {
    StringGrid& grid = editors.sgdMeasures;
    if (key == U'\x1b') {
        nulGridNumericEditCancel(grid, editors.strCellPreviousText);
        key = 0;
        return;
    }
    if (!flgNumberKey(key)) {
        key = 0;
        return;
    }
    if (key == U'\r') {
        if (grid.hasOption(goEditing)) {
            if (flgGridNumericEditCommit(grid, 1, kPercentLimit, editors.strCellPreviousText)) {
                flgMeasuresValidateCell(editors, grid.col(), grid.row());
            }
        } else {
            nulGridNumericEditStart(grid, false, key, editors.strCellPreviousText);
        }
        key = 0;
        return;
    }
    if (!grid.hasOption(goEditing)) {
        nulGridNumericEditStart(grid, true, key, editors.strCellPreviousText);
        key = 0;
    }
}

// Every "Source Measure" cell that names `name` takes `replacement`.
void nulSourceMeasuresReplace(StringGrid& grid, const std::string& name,
                              const std::string& replacement) {
    nulGridCellsReplace(grid, kMeasuresSourceMeasure, kMeasuresSourceMeasure, grid.fixedRows(),
                        grid.rowCount() - 1, name, replacement);
}

// The global percentage's bar.
const GridBarMouse kBars = {
    .grid = [](EditorState& editors) -> StringGrid& { return editors.sgdMeasures; },
    .flgBarCell =
        [](const EditorState& editors, int col, int row) {
            const StringGrid& grid = editors.sgdMeasures;
            return col == kMeasuresGlobalPercentage && row >= grid.fixedRows() &&
                   row < grid.rowCount() && flgMeasuresHasValues(grid);
        },
    .balance = false,
    .fullScale = [](const EditorState&) { return static_cast<double>(kPercentLimit); },
    .unit = 1,
    .previousTextOnMove = false};

// Ends a list edit; the row the list was open for, -1 when the text stayed.
int intListEditEnd(EditorState& editors, ComboBox& combo) {
    const int row = combo.grid() == &editors.sgdMeasures ? combo.row() : -1;
    const bool changed =
        flgGridComboBoxHide(editors.sgdMeasures, combo, editors.strCellPreviousText);
    return changed ? row : -1;
}

}  // namespace

bool flgMeasuresValidateCell(EditorState& editors, int col, int row) {
    StringGrid& grid = editors.sgdMeasures;
    switch (col) {
        case kMeasuresName:
        case kMeasuresCode:
            return flgNameOrCodeValid(editors, col, row);
        case kMeasuresPosTotal:
        case kMeasuresNegTotal: {
            double total = 0;
            const std::string& text = grid.cell(col, row);
            return flgParseDouble(text, total) ||
                   refuse(editors, col, row, strNotANumberMessage(text));
        }
        case kMeasuresGlobalPercentage: {
            std::int32_t percent = 0;
            const std::string& text = grid.cell(col, row);
            if (!flgParseInteger(text, percent)) {
                return refuse(editors, col, row, strNotANumberMessage(text));
            }
            if (percent >= 0 && percent <= kPercentLimit) {
                return true;
            }
            grid.setCell(col, row, percent < 0 ? "0" : "100");
            return false;
        }
        default:
            return true;
    }
}

bool sgdMeasuresSelectCell(EditorState& editors, int col, int row) {
    StringGrid& grid = editors.sgdMeasures;
    if (flgGridIsEmpty(grid)) {
        return false;
    }
    if (grid.editorMode()) {
        char32_t enter = U'\r';
        sgdMeasuresKeyPress(editors, enter);
    }
    // A refused move leaves the current cell as it is: its edit, and the text its check
    // restores and a rename looks for, stay its own.
    if (!flgMeasuresIsCellAvailable(grid, col, row)) {
        return false;
    }
    editors.strCellPreviousText = grid.cell(col, row);
    nulMeasuresEditingSet(grid, col);
    return true;
}

void nulMeasuresEditingSet(StringGrid& sgdMeasures, int col) {
    if (col == kMeasuresGlobalPercentage) {
        sgdMeasures.excludeOption(goEditing);
    } else {
        sgdMeasures.includeOption(goEditing);
    }
}

bool sgdMeasuresGetEditMask(EditorState& editors, int col, int row) {
    StringGrid& grid = editors.sgdMeasures;
    // A numeric edit has kept the text before the typed character replaced it.
    if (col != kMeasuresGlobalPercentage) {
        editors.strCellPreviousText = grid.cell(col, row);
    }
    switch (col) {
        case kMeasuresType:
            nulGridComboBoxShow(grid, editors.cbxMeasuresType, col, row, {});
            return false;
        case kMeasuresIrregularityType:
            nulGridComboBoxShow(grid, editors.cbxMeasuresIrregType, col, row, {});
            return false;
        case kMeasuresSourceMeasure: {
            const std::string own = grid.cell(kMeasuresName, row);
            nulGridComboBoxShow(
                grid, editors.cbxMeasuresSourceMeasure, col, row, [&grid, &own](ComboBox& combo) {
                    nulCbxFillListFromMeasureGrid(grid, kMeasuresHeadings[kMeasuresName], combo,
                                                  kMeasureTypeIndependent,
                                                  kMeasuresHeadings[kMeasuresType], own);
                });
            return false;
        }
        case kMeasuresWeightingDimension:
            nulGridComboBoxShow(grid, editors.cbxMeasuresWeightingDimension, col, row,
                                [&editors](ComboBox& combo) {
                                    combo.clearItems();
                                    const NodeTree& tree = editors.tvwDimsCats;
                                    for (int i = 0; i < tree.topLevelCount(); ++i) {
                                        combo.addItem(tree.topLevelItem(i)->text());
                                    }
                                });
            return false;
        default:
            return true;
    }
}

void sgdMeasuresKeyPress(EditorState& editors, char32_t& key) {
    StringGrid& grid = editors.sgdMeasures;
    const int col = grid.col();
    const int row = grid.row();
    if (col == kMeasuresGlobalPercentage) {
        nulPercentKeyPress(editors, key);
        return;
    }
    // Escape reaches the grid's own editor of a total, which gives the cell its text back.
    if ((col == kMeasuresPosTotal || col == kMeasuresNegTotal) && !flgNumberKey(key) &&
        key != U'\x1b') {
        key = 0;
        return;
    }
    if (key != U'\r' || !grid.editorMode()) {
        return;
    }
    if (flgMeasuresValidateCell(editors, col, row) && col == kMeasuresName) {
        nulSourceMeasuresReplace(grid, editors.strCellPreviousText, grid.cell(col, row));
        // The lower panel shows the measure by its name.
        nulMeasureValuesAndIrregularitiesMeasureRenamed(editors, editors.strCellPreviousText);
        editors.strCellPreviousText = grid.cell(col, row);
    }
}

void sgdMeasuresKeyDown(EditorState& editors, int& key, ShiftState shift) {
    nulGridPercentKeyDown(editors, editors.sgdMeasures, key, shift, kPercentLimit, 1, false);
}

void sgdMeasuresMouseDown(EditorState& editors, const GridMouseEvent& event) {
    nulGridBarMouseDown(editors, kBars, event);
}

void sgdMeasuresMouseMove(EditorState& editors, const GridMouseEvent& event) {
    nulGridBarMouseMove(editors, kBars, event);
}

void sgdMeasuresExit(EditorState& editors) {
    StringGrid& grid = editors.sgdMeasures;
    if (!grid.editorMode() || flgListColumn(grid.col())) {
        return;
    }
    char32_t enter = U'\r';
    sgdMeasuresKeyPress(editors, enter);
    // The edit is over: the grid keeps the text as checked.
    grid.setEditorMode(false);
}

void pmuMeasuresEditItemClick(EditorState& editors) {
    StringGrid& grid = editors.sgdMeasures;
    sgdMeasuresExit(editors);
    grid.setEditorMode(false);
    grid.setEditorMode(true);
}

void sgdMeasuresClick(EditorState& editors) {
    editors.sgdMeasures.refresh();
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void cbxMeasuresTypeExit(EditorState& editors) {
    StringGrid& grid = editors.sgdMeasures;
    const int row = intListEditEnd(editors, editors.cbxMeasuresType);
    if (row < 0) {
        return;
    }
    if (intMeasuresGetTypeNumber(grid, row) != kMeasureTypeIndependent) {
        nulSourceMeasuresReplace(grid, grid.cell(kMeasuresName, row), {});
    }
    editors.intBalanceRow = editors.sgdMeasureValues.fixedRows();
    // The measure's working data starts again for its new type.
    const int k = row - grid.fixedRows();
    nulMeasuresDelFromDimsCats(editors, k);
    nulMeasuresTypeSetRowDefaults(grid, row);
    nulMeasureAddToDimsCats(editors, k);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void cbxMeasuresIrregTypeExit(EditorState& editors) {
    const int row = intListEditEnd(editors, editors.cbxMeasuresIrregType);
    if (row < 0) {
        return;
    }
    editors.intBalanceRow = editors.sgdMeasureValues.fixedRows();
    nulMeasuresIrregularityTypeSetRowDefaults(editors.sgdMeasures, row);
    nulMeasureValuesAndIrregularitiesSetPanels(editors);
}

void cbxMeasuresSourceMeasureExit(EditorState& editors) {
    intListEditEnd(editors, editors.cbxMeasuresSourceMeasure);
}

void cbxMeasuresWeightingDimensionExit(EditorState& editors) {
    if (intListEditEnd(editors, editors.cbxMeasuresWeightingDimension) >= 0) {
        nulMeasureValuesAndIrregularitiesSetPanels(editors);
    }
}

void nulMeasuresCellsConnect(EditorState& editors) {
    StringGrid& grid = editors.sgdMeasures;
    // The first current cell is edited as one the user selected.
    nulMeasuresEditingSet(grid, grid.col());
    grid.onSelectCell = [&editors](int col, int row) {
        return sgdMeasuresSelectCell(editors, col, row);
    };
    grid.onGetEditMask = [&editors](int col, int row) {
        return sgdMeasuresGetEditMask(editors, col, row);
    };
    grid.onClick = [&editors] { sgdMeasuresClick(editors); };
    editors.sgdMeasuresExit = [&editors] { sgdMeasuresExit(editors); };
    const auto list = [&editors](ComboBox& combo, void (*exit)(EditorState&)) {
        combo.onKeyDown = [&editors, &combo](int& key, ShiftState shift) {
            nulGridComboBoxKeyDown(editors.sgdMeasures, combo, key, shift,
                                   editors.strCellPreviousText);
        };
        combo.onExit = [&editors, exit] { exit(editors); };
    };
    list(editors.cbxMeasuresType, cbxMeasuresTypeExit);
    list(editors.cbxMeasuresIrregType, cbxMeasuresIrregTypeExit);
    list(editors.cbxMeasuresSourceMeasure, cbxMeasuresSourceMeasureExit);
    list(editors.cbxMeasuresWeightingDimension, cbxMeasuresWeightingDimensionExit);
}

}  // namespace vantorell
