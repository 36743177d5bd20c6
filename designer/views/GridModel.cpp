#include "designer/views/GridModel.h"

#include <algorithm>

namespace vantorell {

GridModel::GridModel(StringGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
    takeCounts();
    grid_.setListener(this);
}

GridModel::~GridModel() {
    grid_.setListener(nullptr);
}

void GridModel::takeCounts() {
    fixedRows_ = grid_.fixedRows();
    rows_ = grid_.rowCount() - fixedRows_;
    cols_ = grid_.colCount();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (index.isValid() && role == Qt::ToolTipRole && cellHint) {
        const std::string hint = cellHint(index.column(), gridRow(index.row()));
        return hint.empty()
                   ? QVariant()
                   : QVariant(QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size())));
    }
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    const std::string& text = grid_.cell(index.column(), gridRow(index.row()));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || fixedRows_ == 0) {
        return {};
    }
    const std::string& text = grid_.cell(section, 0);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (index.column() < grid_.fixedCols()) {
        return Qt::ItemIsEnabled;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::gridChanged(const GridChange& change) {
    using Kind = GridChange::Kind;
    switch (change.kind) {
        case Kind::Cells: {
            const int first = change.first;
            const int last = change.first + change.count - 1;
            if (first < fixedRows_) {
                emit headingsChanged();
            }
            const int top = std::max(modelRow(first), 0);
            const int bottom = std::min(modelRow(last), rows_ - 1);
            if (top <= bottom && cols_ > 0) {
                emit dataChanged(index(top, 0), index(bottom, cols_ - 1));
            }
            break;
        }
        case Kind::RowsInserted: {
            const int at = modelRow(change.first);
            if (at < 0 || at > rows_) {
                gridChanged(GridChange{Kind::Reset});
                break;
            }
            beginInsertRows(QModelIndex(), at, at + change.count - 1);
            rows_ += change.count;
            endInsertRows();
            break;
        }
        case Kind::RowsRemoved: {
            const int at = modelRow(change.first);
            if (at < 0 || at + change.count > rows_) {
                gridChanged(GridChange{Kind::Reset});
                break;
            }
            beginRemoveRows(QModelIndex(), at, at + change.count - 1);
            rows_ -= change.count;
            endRemoveRows();
            break;
        }
        case Kind::Reset:
            beginResetModel();
            takeCounts();
            endResetModel();
            emit gridReset();
            break;
        case Kind::Current:
            emit currentCellChanged();
            break;
        case Kind::Editor:
            emit editorModeChanged();
            break;
        case Kind::Widths:
            emit columnWidthChanged(change.first);
            break;
        case Kind::Options:
            emit optionsChanged();
            break;
        case Kind::Repaint:
            emit repaintRequested();
            break;
    }
}

}  // namespace vantorell
