#include "designer/rtnGrids/GridNumericEdit.h"

#include <optional>

#include "designer/rtnGrids/ScaledDecimal.h"

namespace vantorell {

void nulGridNumericEditStart(StringGrid& grid, bool replace, char32_t typed,
                             std::string& previousText) {
    previousText = grid.cell(grid.col(), grid.row());
    grid.includeOption(goEditing);
    if (replace) {
        const bool numeric = typed == U'-' || typed == U'.' || (typed >= U'0' && typed <= U'9');
        grid.setCell(grid.col(), grid.row(),
                     numeric ? std::string(1, static_cast<char>(typed)) : std::string());
    }
    grid.setEditorMode(true);
}

NumericEditEnd nulGridNumericEditEnd(StringGrid& grid, std::int64_t scale, std::int64_t limit,
                                     const std::string& previousText) {
    if (!grid.editorMode()) {
        return NumericEditEnd::NotEditing;
    }
    grid.excludeOption(goEditing);
    grid.setEditorMode(false);
    const int col = grid.col();
    const int row = grid.row();
    const std::string& text = grid.cell(col, row);
    const bool zero = text.empty() || text == "-";
    const std::optional<std::int64_t> value =
        zero ? std::optional<std::int64_t>(0) : optScaledDecimal(text, scale, limit);
    if (!value) {
        grid.setCell(col, row, previousText);
        return NumericEditEnd::Refused;
    }
    grid.setCell(col, row, std::to_string(*value));
    return NumericEditEnd::Stored;
}

}  // namespace vantorell
