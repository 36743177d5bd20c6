#include "designer/views/GridCellDelegate.h"

#include <QPainter>

#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"

namespace vantorell {

GridCellDelegate::GridCellDelegate(GridView& view) : QAbstractItemDelegate(&view), view_(view) {}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const int col = index.column();
    const int row = view_.gridModel().gridRow(index.row());
    const QPoint toGrid = view_.viewport()->mapTo(&view_, QPoint(0, 0));
    const QRect cell(option.rect.topLeft(), view_.cellSize(col));
    view_.paintCell(*painter, cell, toGrid, col, row, view_.drawState(col, row));
}

QSize GridCellDelegate::sizeHint(const QStyleOptionViewItem& /*option*/,
                                 const QModelIndex& index) const {
    const StringGrid& grid = view_.grid();
    return QSize(grid.colWidth(index.column()), grid.defaultRowHeight());
}

}  // namespace vantorell
