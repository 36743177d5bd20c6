#include "designer/rtnGrids/GridComboBox.h"

#include "designer/rtnGrids/GridSizing.h"

namespace vantorell {

void nulGridComboBoxShow(StringGrid& grid, ComboBox& combo, int col, int row,
                         const ComboBoxFill& fill) {
    const Rect cell = grid.cellRect(col, row);
    const Rect gridBounds = grid.bounds();
    const int line = grid.gridLineWidth();
    const int left = gridBounds.left + cell.left + line;
    const int top = gridBounds.top + cell.top + line;
    combo.setBounds(
        Rect{left, top, left + cell.width() + 2 * line, top + cell.height() - 2 * line});
    if (fill) {
        fill(combo);
    }
    combo.selectText(grid.cell(col, row));
    grid.setEditorMode(false);
    combo.openFor(&grid, col, row);
    combo.setVisible(true);
    combo.setFocus();
}

bool flgGridComboBoxHide(StringGrid& grid, ComboBox& combo, const std::string& previousText) {
    bool changed = false;
    if (combo.grid() == &grid) {
        const int col = combo.col();
        changed = combo.text() != previousText;
        grid.setCell(col, combo.row(), combo.text());
        grid.refresh();
        nulGridColumnsWidthSet(grid, col, col, 20);
    }
    combo.close();
    combo.setVisible(false);
    return changed;
}

void nulGridComboBoxKeyDown(StringGrid& grid, ComboBox& combo, int key, ShiftState /*shift*/,
                            const std::string& previousText) {
    switch (key) {
        case vk::Return:
            grid.setFocus();
            grid.refresh();
            break;
        case vk::Escape:
            combo.selectText(previousText);
            flgGridComboBoxHide(grid, combo, previousText);
            break;
        case vk::Left:
            if (!combo.items().empty()) {
                combo.setItemIndex(0);
            }
            break;
        case vk::Right:
            if (!combo.items().empty()) {
                combo.setItemIndex(static_cast<int>(combo.items().size()) - 1);
            }
            break;
        default:
            break;
    }
}

}  // namespace vantorell
