#include "designer/views/GridView.h"

#include <QApplication>
#include <QPainter>

#include "designer/rtnGrids/GridDrawing.h"
#include "designer/views/GridCellDelegate.h"
#include "designer/views/GridHeaderView.h"
#include "designer/views/GridModel.h"
#include "designer/views/QtGridCanvas.h"

namespace vantorell {

namespace {

Rect toRect(const QRect& r) {
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

GridView::GridView(StringGrid& grid, QWidget* parent)
    : QTableView(parent),
      grid_(grid),
      model_(new GridModel(grid, this)),
      header_(new GridHeaderView(*this)),
      editor_(new QLineEdit(viewport())) {
    setModel(model_);
    setHorizontalHeader(header_);
    setItemDelegate(new GridCellDelegate(*this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    viewport()->setMouseTracking(true);

    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (grid_.editorMode()) {
            grid_.setCell(editorCol_, editorRow_, text.toStdString());
        }
    });

    connect(model_, &GridModel::currentCellChanged, this, &GridView::syncCurrent);
    connect(model_, &GridModel::editorModeChanged, this, &GridView::syncEditor);
    connect(model_, &GridModel::columnWidthChanged, this, &GridView::applyWidth);
    connect(model_, &GridModel::optionsChanged, this, &GridView::applyLayout);
    connect(model_, &GridModel::headingsChanged, header_->viewport(),
            qOverload<>(&QWidget::update));
    connect(model_, &GridModel::repaintRequested, this, [this] {
        viewport()->update();
        header_->viewport()->update();
    });
    connect(model_, &GridModel::gridReset, this, [this] {
        applyLayout();
        syncCurrent();
        syncEditor();
    });
    connect(model_, &QAbstractItemModel::dataChanged, this, &GridView::syncEditorText);
    connect(header_, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (!applying_) {
            grid_.setColWidth(col, size - lineWidth());
        }
    });
    connect(qApp, &QApplication::focusChanged, this, &GridView::focusChanged);

    grid_.setPort(this);
    anchorCol_ = grid_.col();
    anchorRow_ = grid_.row();
    applyLayout();
    syncCurrent();
    syncEditor();
}

GridView::~GridView() {
    disconnect(qApp, nullptr, this, nullptr);
    if (grid_.port() == this) {
        grid_.setPort(nullptr);
    }
}

int GridView::lineWidth() const {
    return grid_.gridLineWidth();
}

QSize GridView::cellSize(int col) const {
    return QSize(grid_.colWidth(col), grid_.defaultRowHeight());
}

// --- GridPort ---

int GridView::textWidth(const std::string& text) const {
    return fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

int GridView::textHeight(const std::string& /*text*/) const {
    return fontMetrics().height();
}

Rect GridView::cellRect(int col, int row) const {
    if (col < 0 || col >= grid_.colCount() || row < 0 || row >= grid_.rowCount()) {
        return Rect{};
    }
    const int line = lineWidth();
    if (row < grid_.fixedRows()) {
        const QPoint origin = header_->viewport()->mapTo(this, QPoint(0, 0));
        const int left = origin.x() + header_->sectionViewportPosition(col);
        const int top = origin.y() + row * (grid_.defaultRowHeight() + line);
        return Rect{left, top, left + grid_.colWidth(col), top + grid_.defaultRowHeight()};
    }
    const QRect visual = visualRect(model_->index(model_->modelRow(row), col));
    const QPoint origin = viewport()->mapTo(this, QPoint(0, 0));
    return toRect(QRect(visual.topLeft() + origin, cellSize(col)));
}

Rect GridView::bounds() const {
    return toRect(geometry());
}

void GridView::focusGrid() {
    // The in-place editor is part of the grid: while it is open, typing goes there.
    if (editor_->isVisible()) {
        editor_->setFocus(Qt::OtherFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
}

// --- layout ---

void GridView::applyLayout() {
    applying_ = true;
    const int line = lineWidth();
    setShowGrid(line > 0);
    verticalHeader()->setDefaultSectionSize(grid_.defaultRowHeight() + line);
    header_->setSectionResizeMode(grid_.hasOption(goColSizing) ? QHeaderView::Interactive
                                                               : QHeaderView::Fixed);
    for (int c = 0; c < grid_.colCount(); ++c) {
        header_->resizeSection(c, grid_.colWidth(c) + line);
    }
    header_->setFixedHeight(grid_.fixedRows() * (grid_.defaultRowHeight() + line));
    header_->setVisible(grid_.fixedRows() > 0);
    applying_ = false;
    placeEditor();
}

void GridView::applyWidth(int col) {
    if (col < 0) {
        applyLayout();
        return;
    }
    applying_ = true;
    header_->resizeSection(col, grid_.colWidth(col) + lineWidth());
    applying_ = false;
    placeEditor();
}

void GridView::updateGeometries() {
    QTableView::updateGeometries();
    placeEditor();
}

// --- painting ---

GridDrawState GridView::drawState(int col, int row) const {
    GridDrawState state;
    state.fixed = row < grid_.fixedRows() || col < grid_.fixedCols();
    const GridRect sel = grid_.selection();
    state.selected =
        !state.fixed && col >= sel.left && col <= sel.right && row >= sel.top && row <= sel.bottom;
    state.focused = col == grid_.col() && row == grid_.row() && hasFocusWithin();
    return state;
}

void GridView::paintCell(QPainter& painter, const QRect& rect, QPoint toGrid, int col, int row,
                         GridDrawState state) {
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);  // a cell never draws over its neighbours
    painter.translate(-toGrid);
    painter.setFont(font());
    const Rect cell = toRect(rect.translated(toGrid));
    QtGridCanvas canvas(painter, palette(), bitmaps_);
    if (onDrawCell) {
        onDrawCell(col, row, cell, state, canvas);
    } else {
        nulGridCellBackgroundPaint(grid_, canvas, cell, state);
        nulGridCellTextDraw(canvas, cell, 0, 0, 0, 0, 2, 2, 0, 0, 0, 0, 0, grid_.cell(col, row));
    }
    painter.restore();
}

// --- state from the grid ---

void GridView::syncCurrent() {
    const QModelIndex current = model_->index(model_->modelRow(grid_.row()), grid_.col());
    if (current.isValid() && selectionModel() != nullptr && currentIndex() != current) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }
    if (current.isValid()) {
        scrollTo(current);
    }
    viewport()->update();
}

}  // namespace vantorell
