#include "designer/rtnGrids/GridNumericEdit.h"

#include <limits>
#include <optional>

#include "designer/rtnGrids/ScaledDecimal.h"

namespace vantorell {

namespace {

// The text an edit of `cell` starts with when it keeps the cell's value; none when the cell
// holds no whole number, which is then edited as it stands.
std::optional<std::string> optEditText(const std::string& cell, std::int64_t scale) {
    const std::optional<std::int64_t> value =
        optScaledDecimal(cell, 1, std::numeric_limits<std::int64_t>::max());
    if (!value || cell.find('.') != std::string::npos || scale <= 0) {
        return std::nullopt;
    }
    return strScaledDecimal(*value, scale);
}

}  // namespace

void nulGridNumericEditStart(StringGrid& grid, bool replace, char32_t typed,
                             std::string& previousText, std::int64_t scale) {
    previousText = grid.cell(grid.col(), grid.row());
    grid.includeOption(goEditing);
    if (replace) {
        const bool numeric = typed == U'-' || typed == U'.' || (typed >= U'0' && typed <= U'9');
        grid.setCell(grid.col(), grid.row(),
                     numeric ? std::string(1, static_cast<char>(typed)) : std::string());
    } else if (const std::optional<std::string> text = optEditText(previousText, scale)) {
        grid.setCell(grid.col(), grid.row(), *text);
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
    if (text == optEditText(previousText, scale)) {
        grid.setCell(col, row, previousText);
        return NumericEditEnd::Stored;
    }
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

bool nulGridNumericEditCancel(StringGrid& grid, const std::string& previousText) {
    if (!grid.editorMode()) {
        return false;
    }
    grid.excludeOption(goEditing);
    grid.setEditorMode(false);
    grid.setCell(grid.col(), grid.row(), previousText);
    return true;
}

}  // namespace vantorell
