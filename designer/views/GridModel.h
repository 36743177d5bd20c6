#pragma once
// The string grid as a Qt table model. Model rows are the grid's rows below its heading rows;
// model columns are all the grid's columns. Cells are read from the grid when shown, so no
// item exists per cell.

#include <QAbstractTableModel>
#include <functional>
#include <string>

#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

class GridModel : public QAbstractTableModel, public GridListener {
    Q_OBJECT
public:
    explicit GridModel(StringGrid& grid, QObject* parent = nullptr);
    ~GridModel() override;

    StringGrid& grid() const { return grid_; }
    int gridRow(int modelRow) const { return modelRow + fixedRows_; }
    int modelRow(int gridRow) const { return gridRow - fixedRows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void gridChanged(const GridChange& change) override;

    // The tool tip of a cell by its grid column and row; none without it or when empty.
    std::function<std::string(int col, int row)> cellHint;

signals:
    void headingsChanged();
    void currentCellChanged();
    void editorModeChanged();
    void columnWidthChanged(int col);
    void optionsChanged();
    void repaintRequested();
    void gridReset();

private:
    void takeCounts();

    StringGrid& grid_;
    // The counts the view was last told of; the grid may already be ahead of them.
    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 0;
};

}  // namespace vantorell
