#pragma once
// The grid's heading rows, above the scrolling cells: every heading row of every column is
// painted through the grid's cell drawing, as a fixed cell.

#include <QHeaderView>

namespace vantorell {

class GridView;

class GridHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit GridHeaderView(GridView& view);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    GridView& view_;
};

}  // namespace vantorell
