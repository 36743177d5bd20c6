#include "designer/frmMain/IrregularitiesCells.h"

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/EditorCellDrawing.h"
#include "designer/frmMain/EditorEnterKey.h"
#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/MeasureValuesPanels.h"
#include "designer/frmMain/NumericCommit.h"
#include "designer/frmMain/PercentInput.h"
#include "designer/rtnGrids/GridComboBox.h"
#include "designer/rtnGrids/GridDrawing.h"
#include "designer/rtnGrids/GridNumericEdit.h"
#include "designer/rtnGrids/GridRows.h"

namespace vantorell {
namespace {

constexpr int kPercentLimit = 100;

bool flgPercentColumn(const StringGrid& grid, int col) {
    return grid.cell(col, 0).find("Percent") != std::string::npos;
}

bool flgNumberKey(char32_t key) {
    return key == U'.' || (key >= U'0' && key <= U'9') || key == 8 || key == U'\r';
}

// Both adjustments' bars, where they apply, against the measure values editor's scale.
const GridBarMouse kBars = {
    .grid = [](EditorState& editors) -> StringGrid& { return editors.sgdIrregularities; },
    .flgBarCell =
        [](const EditorState& editors, int col, int row) {
            return (col == kIrregularitiesAdjustment || col == kIrregularitiesExtraAdjustment) &&
                   row >= editors.sgdIrregularities.fixedRows() &&
                   flgIrregularitiesIsCellAvailable(editors, col) &&
                   !editors.lstIrregularitiesNodes.empty();
        },
    .balance = false,
    .fullScale = dblMeasureValuesScaleGet,
    .unit = 1,
    .previousTextOnMove = false};

}  // namespace

bool sgdIrregularitiesSelectCell(EditorState& editors, int col, int row) {
    StringGrid& grid = editors.sgdIrregularities;
    if (!flgDimsCatsAndMeasuresHasValues(editors.tvwDimsCats, editors.sgdMeasures)) {
        grid.excludeOption(goEditing);
        return true;
    }
    if (!flgIrregularitiesIsCellAvailable(editors, col)) {
        return false;
    }
    nulGridEditEndByEnter(editors, grid, sgdIrregularitiesKeyPress);
    editors.strCellPreviousText = grid.cell(col, row);
    nulIrregularitiesEditingSet(grid, col);
    return true;
}

void nulIrregularitiesEditingSet(StringGrid& grid, int col) {
    if (grid.cell(col, 0).find("Percentage") != std::string::npos) {
        grid.excludeOption(goEditing);
    } else {
        grid.includeOption(goEditing);
    }
}

bool sgdIrregularitiesGetEditMask(EditorState& editors, int col, int row) {
    StringGrid& grid = editors.sgdIrregularities;
    if (col != kIrregularitiesFamily) {
        return true;  // a percentage's numeric edit keeps its own text before editing
    }
    editors.strCellPreviousText = grid.cell(col, row);
    nulGridComboBoxShow(grid, editors.cbxIrregularitiesFamily, col, row, {});
    return false;
}

void sgdIrregularitiesKeyPress(EditorState& editors, char32_t& key) {
    StringGrid& grid = editors.sgdIrregularities;
    if (!flgPercentColumn(grid, grid.col())) {
        return;
    }
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
            flgGridNumericEditCommit(grid, 1, kPercentLimit, editors.strCellPreviousText);
        } else {
            nulGridNumericEditStart(grid, false, key, editors.strCellPreviousText);
        }
        key = 0;
    } else if (!grid.hasOption(goEditing)) {
        nulGridNumericEditStart(grid, true, key, editors.strCellPreviousText);
        key = 0;
    }
}

void sgdIrregularitiesKeyDown(EditorState& editors, int& key, ShiftState shift) {
    nulGridPercentKeyDown(editors, editors.sgdIrregularities, key, shift, kPercentLimit, 1, false);
}

void sgdIrregularitiesMouseDown(EditorState& editors, const GridMouseEvent& event) {
    nulGridBarMouseDown(editors, kBars, event);
}

void sgdIrregularitiesMouseMove(EditorState& editors, const GridMouseEvent& event) {
    nulGridBarMouseMove(editors, kBars, event);
}

void pmuIrregularitiesEditItemClick(EditorState& editors) {
    nulGridEditItemEnter(editors, editors.sgdIrregularities, sgdIrregularitiesKeyPress);
}

void cbxIrregularitiesFamilyExit(EditorState& editors) {
    flgGridComboBoxHide(editors.sgdIrregularities, editors.cbxIrregularitiesFamily,
                        editors.strCellPreviousText);
}

void sgdIrregularitiesDrawCell(const EditorState& editors, int col, int row, const Rect& rect,
                               GridDrawState state, GridCanvas& canvas) {
    const StringGrid& grid = editors.sgdIrregularities;
    const std::string& text = grid.cell(col, row);
    if (flgEditorHeadingDrawn(grid, canvas, rect, row, text)) {
        return;
    }
    if (!flgIrregularitiesIsCellAvailable(editors, col)) {
        nulEditorHatchedDraw(grid, canvas, rect, state);
        return;
    }
    if (text.empty()) {
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
    } else if (col == kIrregularitiesFor) {
        nulEditorIconCellDraw(grid, canvas, rect, state, kIrregularitiesBitmap, text);
    } else if (grid.cell(col, 0).find("Percentage") != std::string::npos) {
        nulGridCellPercentBarDraw(grid, canvas, rect, col, row, state, 1, 100, clGreen,
                                  clWindowText, true);
    } else {
        nulEditorTextCellDraw(grid, canvas, rect, state, text);
    }
}

void nulIrregularitiesCellsConnect(EditorState& editors) {
    StringGrid& grid = editors.sgdIrregularities;
    nulSgdIrregularitiesHeadingsSet(grid);
    nulGridClear(grid);
    grid.onSelectCell = [&editors](int col, int row) {
        return sgdIrregularitiesSelectCell(editors, col, row);
    };
    grid.onGetEditMask = [&editors](int col, int row) {
        return sgdIrregularitiesGetEditMask(editors, col, row);
    };
    editors.sgdIrregularitiesExit = [&editors] { nulsgdIrregularitiesSave(editors); };
    ComboBox& family = editors.cbxIrregularitiesFamily;
    for (const char* text : kIrregularitiesFamilyTexts) {
        family.addItem(text);
    }
    family.onKeyDown = [&editors](int& key, ShiftState shift) {
        nulGridComboBoxKeyDown(editors.sgdIrregularities, editors.cbxIrregularitiesFamily, key,
                               shift, editors.strCellPreviousText);
    };
    family.onExit = [&editors] { cbxIrregularitiesFamilyExit(editors); };
}

}  // namespace vantorell
