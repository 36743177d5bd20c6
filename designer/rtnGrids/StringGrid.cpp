#include "designer/rtnGrids/StringGrid.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace vantorell {

namespace {
const std::string kNoText;
}

StringGrid::StringGrid() : rows_(5, std::vector<std::string>(5)), colWidths_(5, 64) {}

void StringGrid::notify(GridChange::Kind kind, int first, int count) {
    if (updateDepth_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (listener_ != nullptr) {
        listener_->gridChanged(GridChange{kind, first, count});
    }
}

void StringGrid::clampCurrent() {
    const int col = std::clamp(col_, fixedCols_, colCount_ - 1);
    const int row = std::clamp(row_, fixedRows_, rowCount() - 1);
    if (col != col_ || row != row_) {
        col_ = col;
        row_ = row;
        editorMode_ = false;
        selection_ = GridRect{col_, row_, col_, row_};
        notify(GridChange::Kind::Current);
        return;
    }
    GridRect s = selection_;
    s.left = std::clamp(s.left, fixedCols_, colCount_ - 1);
    s.right = std::clamp(s.right, fixedCols_, colCount_ - 1);
    s.top = std::clamp(s.top, fixedRows_, rowCount() - 1);
    s.bottom = std::clamp(s.bottom, fixedRows_, rowCount() - 1);
    if (!(s == selection_)) {
        selection_ = s;
        notify(GridChange::Kind::Current);
    }
}

void StringGrid::setRowCount(int count) {
    count = std::max(count, fixedRows_ + 1);
    const int old = rowCount();
    if (count == old) {
        return;
    }
    rows_.resize(static_cast<std::size_t>(count), std::vector<std::string>(colCount_));
    if (dataRowCount_ > 0) {
        dataRowCount_ = count - fixedRows_;
    }
    if (count > old) {
        notify(GridChange::Kind::RowsInserted, old, count - old);
    } else {
        notify(GridChange::Kind::RowsRemoved, count, old - count);
    }
    clampCurrent();
}

void StringGrid::setColCount(int count) {
    count = std::max(count, fixedCols_ + 1);
    if (count == colCount_) {
        return;
    }
    colCount_ = count;
    for (auto& r : rows_) {
        r.resize(static_cast<std::size_t>(count));
    }
    colWidths_.resize(static_cast<std::size_t>(count), defaultColWidth_);
    notify(GridChange::Kind::Reset);
    clampCurrent();
}

void StringGrid::setFixedRows(int count) {
    count = std::clamp(count, 0, rowCount() - 1);
    if (count == fixedRows_) {
        return;
    }
    fixedRows_ = count;
    if (dataRowCount_ > 0) {
        dataRowCount_ = rowCount() - fixedRows_;
    }
    notify(GridChange::Kind::Reset);
    clampCurrent();
}

void StringGrid::setFixedCols(int count) {
    count = std::clamp(count, 0, colCount_ - 1);
    if (count == fixedCols_) {
        return;
    }
    fixedCols_ = count;
    notify(GridChange::Kind::Reset);
    clampCurrent();
}

void StringGrid::setHoldsData(bool holds) {
    dataRowCount_ = holds ? rowCount() - fixedRows_ : 0;
}

const std::string& StringGrid::cell(int col, int row) const {
    if (row < 0 || row >= rowCount() || col < 0 || col >= colCount_) {
        return kNoText;
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void StringGrid::setCell(int col, int row, const std::string& text) {
    if (row < 0 || row >= rowCount() || col < 0 || col >= colCount_) {
        return;
    }
    std::string& c = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (c == text) {
        return;
    }
    c = text;
    notify(GridChange::Kind::Cells, row, 1);
}

void StringGrid::insertRow(int row) {
    if (row < 0 || row > rowCount()) {
        return;
    }
    rows_.insert(rows_.begin() + row, std::vector<std::string>(colCount_));
    if (dataRowCount_ > 0) {
        ++dataRowCount_;
    }
    notify(GridChange::Kind::RowsInserted, row, 1);
    clampCurrent();
}

void StringGrid::deleteRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    if (rowCount() == fixedRows_ + 1) {
        // The last data row stays, blank.
        rows_[static_cast<std::size_t>(row)].assign(static_cast<std::size_t>(colCount_), {});
        if (row >= fixedRows_) {
            dataRowCount_ = 0;
        }
        notify(GridChange::Kind::Cells, row, 1);
        return;
    }
    rows_.erase(rows_.begin() + row);
    if (dataRowCount_ > 0) {
        dataRowCount_ = rowCount() - fixedRows_;
    }
    notify(GridChange::Kind::RowsRemoved, row, 1);
    clampCurrent();
}

void StringGrid::swapRows(int a, int b) {
    if (a < 0 || b < 0 || a >= rowCount() || b >= rowCount() || a == b) {
        return;
    }
    std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
    notify(GridChange::Kind::Cells, std::min(a, b), std::abs(a - b) + 1);
}

bool StringGrid::setCurrentCell(int col, int row) {
    if (col < fixedCols_ || col >= colCount_ || row < fixedRows_ || row >= rowCount()) {
        return false;
    }
    if (col == col_ && row == row_) {
        return true;
    }
    if (onSelectCell && !onSelectCell(col, row)) {
        return false;
    }
    // The handler may have moved the grid on; the move still goes to the cell asked for.
    if (col >= colCount_ || row >= rowCount()) {
        return false;
    }
    const bool wasEditing = editorMode_;
    col_ = col;
    row_ = row;
    editorMode_ = false;
    selection_ = GridRect{col, row, col, row};
    notify(GridChange::Kind::Current);
    if (wasEditing) {
        notify(GridChange::Kind::Editor);
    }
    click();
    return true;
}

void StringGrid::click() {
    if (onClick) {
        onClick();
    }
}

void StringGrid::setSelection(GridRect rect) {
    const GridRect asked = rect;
    rect.left = std::clamp(std::min(asked.left, asked.right), fixedCols_, colCount_ - 1);
    rect.right = std::clamp(std::max(asked.left, asked.right), fixedCols_, colCount_ - 1);
    rect.top = std::clamp(std::min(asked.top, asked.bottom), fixedRows_, rowCount() - 1);
    rect.bottom = std::clamp(std::max(asked.top, asked.bottom), fixedRows_, rowCount() - 1);
    if (rect == selection_) {
        return;
    }
    selection_ = rect;
    notify(GridChange::Kind::Current);
}

void StringGrid::setOptions(GridOptions options) {
    if (options == options_) {
        return;
    }
    options_ = options;
    notify(GridChange::Kind::Options);
    if (editorMode_ && !hasOption(goEditing)) {
        editorMode_ = false;
        notify(GridChange::Kind::Editor);
    }
}

void StringGrid::setEditorMode(bool on) {
    on = on && hasOption(goEditing);
    if (on == editorMode_) {
        return;
    }
    if (on && onGetEditMask && !askingEditMask_) {
        askingEditMask_ = true;
        const bool open = onGetEditMask(col_, row_);
        askingEditMask_ = false;
        if (!open || editorMode_ || !hasOption(goEditing)) {
            return;
        }
    }
    editorMode_ = on;
    notify(GridChange::Kind::Editor);
}

int StringGrid::colWidth(int col) const {
    if (col < 0 || col >= colCount_) {
        return defaultColWidth_;
    }
    return colWidths_[static_cast<std::size_t>(col)];
}

void StringGrid::setColWidth(int col, int width) {
    if (col < 0 || col >= colCount_) {
        return;
    }
    width = std::max(width, 0);
    if (colWidths_[static_cast<std::size_t>(col)] == width) {
        return;
    }
    colWidths_[static_cast<std::size_t>(col)] = width;
    notify(GridChange::Kind::Widths, col);
}

void StringGrid::setDefaultColWidth(int width) {
    defaultColWidth_ = std::max(width, 0);
    colWidths_.assign(static_cast<std::size_t>(colCount_), defaultColWidth_);
    notify(GridChange::Kind::Widths, -1);
}

void StringGrid::setDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(height, 1);
    notify(GridChange::Kind::Reset);
}

void StringGrid::setGridLineWidth(int width) {
    gridLineWidth_ = std::max(width, 0);
    notify(GridChange::Kind::Reset);
}

void StringGrid::beginUpdate() {
    ++updateDepth_;
}

void StringGrid::endUpdate() {
    if (updateDepth_ == 0) {
        return;
    }
    if (--updateDepth_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        notify(GridChange::Kind::Reset);
    }
}

void StringGrid::refresh() {
    notify(GridChange::Kind::Repaint);
}

int StringGrid::textWidth(const std::string& text) const {
    return port_ != nullptr ? port_->textWidth(text) : 0;
}

int StringGrid::textHeight(const std::string& text) const {
    return port_ != nullptr ? port_->textHeight(text) : 0;
}

Rect StringGrid::cellRect(int col, int row) const {
    return port_ != nullptr ? port_->cellRect(col, row) : Rect{};
}

Rect StringGrid::bounds() const {
    return port_ != nullptr ? port_->bounds() : Rect{};
}

void StringGrid::setFocus() {
    if (port_ != nullptr) {
        port_->focusGrid();
    }
}

}  // namespace vantorell
