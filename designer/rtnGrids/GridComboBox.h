#pragma once
// A drop-down list laid over a grid cell as the cell's editor.

#include <functional>
#include <string>

#include "designer/rtnGrids/ComboBox.h"
#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

using ComboBoxFill = std::function<void(ComboBox&)>;

// Lays the list over the cell (in the grid's parent, where the list lies too), refills it
// with `fill` when one is given, chooses the entry equal to the cell's text, switches the
// grid's in-place editor off, shows the list and gives it the focus.
void nulGridComboBoxShow(StringGrid& grid, ComboBox& combo, int col, int row,
                         const ComboBoxFill& fill);

// Writes the list's text into the cell it was opened for, fits that column to its texts
// plus 20 pixels and hides the list. True when the text differs from the text before editing.
bool flgGridComboBoxHide(StringGrid& grid, ComboBox& combo, const std::string& previousText);

// Enter hands the focus back to the grid (the list's exit handler then ends the edit);
// Escape chooses the text before editing again and ends the edit; Left and Right choose the
// first and the last entry. The key is not changed.
void nulGridComboBoxKeyDown(StringGrid& grid, ComboBox& combo, int key, ShiftState shift,
                            const std::string& previousText);

}  // namespace vantorell
