#pragma once
// Paints the cells of a grid view through the grid's cell drawing; edits nothing itself.

#include <QAbstractItemDelegate>

namespace vantorell {

class GridView;

class GridCellDelegate : public QAbstractItemDelegate {
    Q_OBJECT
public:
    explicit GridCellDelegate(GridView& view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    GridView& view_;
};

}  // namespace vantorell
