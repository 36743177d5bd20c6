#include "designer/views/GridHeaderView.h"

#include <QMouseEvent>
#include <QPainter>

#include "designer/views/GridView.h"

namespace vantorell {

GridHeaderView::GridHeaderView(GridView& view) : QHeaderView(Qt::Horizontal, &view), view_(view) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(1);
}

void GridHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const StringGrid& grid = view_.grid();
    const int line = grid.gridLineWidth();
    const int height = grid.defaultRowHeight();
    const QPoint toGrid = viewport()->mapTo(&view_, QPoint(0, 0));
    // Grid lines first; the cells cover the rest.
    painter->fillRect(rect, palette().color(QPalette::Dark));
    for (int row = 0; row < grid.fixedRows(); ++row) {
        const QRect cell(QPoint(rect.left(), rect.top() + row * (height + line)),
                         view_.cellSize(logicalIndex));
        view_.paintCell(*painter, cell, toGrid, logicalIndex, row,
                        view_.drawState(logicalIndex, row));
    }
}

void GridHeaderView::mousePressEvent(QMouseEvent* event) {
    view_.headerMousePressed(event, viewport());
    QHeaderView::mousePressEvent(event);
}

}  // namespace vantorell
