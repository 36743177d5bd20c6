#pragma once
// A string grid without widgets: the cells, heading rows and columns, current cell, options
// and in-place editor state that the editors drive, with the semantics of the component
// library's string grid. A view shows it through GridListener and GridPort.

#include <functional>
#include <string>
#include <vector>

#include "designer/rtnGrids/GridPort.h"
#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

enum GridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goColSizing = 1u << 6,
    goEditing = 1u << 7,
    goThumbTracking = 1u << 8,
};
using GridOptions = unsigned;

// A block of cells, corners included.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const GridRect&) const = default;
};

// What changed in a grid. Rows are grid rows (heading rows included).
struct GridChange {
    enum class Kind {
        Cells,         // rows first .. first + count - 1 changed their texts
        RowsInserted,  // count rows inserted at first
        RowsRemoved,   // count rows removed from first
        Reset,         // anything may have changed
        Current,       // current cell or selection
        Editor,        // in-place editor switched on or off
        Widths,        // column first's width, or every column's when first is -1
        Options,
        Repaint,  // drawing depends on something outside the grid
    };
    Kind kind = Kind::Reset;
    int first = 0;
    int count = 0;
};

class GridListener {
public:
    virtual ~GridListener() = default;
    virtual void gridChanged(const GridChange& change) = 0;
};

class StringGrid {
public:
    StringGrid();
    StringGrid(const StringGrid&) = delete;
    StringGrid& operator=(const StringGrid&) = delete;

    // Structure. RowCount stays above FixedRows and ColCount above FixedCols.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int colCount() const { return colCount_; }
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    void setRowCount(int count);
    void setColCount(int count);
    void setFixedRows(int count);
    void setFixedCols(int count);

    // Rows that hold data: 0 while the grid shows only blank rows, otherwise every row from
    // FixedRows to RowCount - 1. Emptiness is decided by this count, never by a cell.
    int dataRowCount() const { return dataRowCount_; }
    void setHoldsData(bool holds);

    // An absent cell reads as the empty text; writing one outside the grid does nothing.
    const std::string& cell(int col, int row) const;
    void setCell(int col, int row, const std::string& text);

    // Row moves: a blank row inserted before `row`, a row removed, two rows exchanged.
    void insertRow(int row);
    void deleteRow(int row);
    void swapRows(int a, int b);

    // Current cell. A move asks the select-cell handler first; a refused move changes nothing.
    int col() const { return col_; }
    int row() const { return row_; }
    bool setCurrentCell(int col, int row);
    bool setRow(int row) { return setCurrentCell(col_, row); }
    bool setCol(int col) { return setCurrentCell(col, row_); }
    std::function<bool(int col, int row)> onSelectCell;
    // Called after the current cell moved, and for a click on the current cell.
    std::function<void()> onClick;
    void click();

    GridRect selection() const { return selection_; }
    void setSelection(GridRect rect);

    GridOptions options() const { return options_; }
    bool hasOption(GridOption o) const { return (options_ & o) != 0; }
    void setOptions(GridOptions options);
    void includeOption(GridOption o) { setOptions(options_ | o); }
    void excludeOption(GridOption o) { setOptions(options_ & ~static_cast<GridOptions>(o)); }

    // The in-place editor can be on only while editing is among the options. Its text is
    // copied into the current cell as it is typed.
    bool editorMode() const { return editorMode_; }
    void setEditorMode(bool on);
    // Asked before the in-place editor opens on the current cell; false keeps it closed (the
    // handler has laid an editor of its own over the cell).
    std::function<bool(int col, int row)> onGetEditMask;

    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int defaultColWidth() const { return defaultColWidth_; }
    void setDefaultColWidth(int width);
    int defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(int height);
    int gridLineWidth() const { return gridLineWidth_; }
    void setGridLineWidth(int width);

    Color color() const { return color_; }
    void setColor(Color c) { color_ = c; }
    Color fontColor() const { return fontColor_; }
    void setFontColor(Color c) { fontColor_ = c; }

    // Window redrawing off and on again: changes in between reach the view as one reset.
    void beginUpdate();
    void endUpdate();

    void refresh();

    // The view that shows the grid, or none.
    GridPort* port() const { return port_; }
    void setPort(GridPort* port) { port_ = port; }
    void setListener(GridListener* listener) { listener_ = listener; }

    int textWidth(const std::string& text) const;
    int textHeight(const std::string& text) const;
    Rect cellRect(int col, int row) const;
    Rect bounds() const;
    void setFocus();

private:
    void notify(GridChange::Kind kind, int first = 0, int count = 0);
    void clampCurrent();

    std::vector<std::vector<std::string>> rows_;
    int colCount_ = 5;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int dataRowCount_ = 0;
    int col_ = 1;
    int row_ = 1;
    GridRect selection_{1, 1, 1, 1};
    GridOptions options_ =
        goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    bool editorMode_ = false;
    bool askingEditMask_ = false;
    std::vector<int> colWidths_;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    Color color_ = clWindow;
    Color fontColor_ = clWindowText;
    int updateDepth_ = 0;
    bool changedWhileUpdating_ = false;
    GridPort* port_ = nullptr;
    GridListener* listener_ = nullptr;
};

}  // namespace vantorell
