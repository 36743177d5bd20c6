#pragma once
// The string grid on screen: a table view over the grid's model, painted cell by cell through
// the drawing routines, with its events handed to the editors first. Nothing is created per
// cell: a grid of any size costs the model and the visible cells only.

#include <QLineEdit>
#include <QTableView>
#include <functional>
#include <string>

#include "designer/rtnGrids/GridCanvas.h"
#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

class GridBitmaps;
class GridHeaderView;
class GridModel;

class GridView : public QTableView, public GridPort {
    Q_OBJECT
public:
    explicit GridView(StringGrid& grid, QWidget* parent = nullptr);
    ~GridView() override;

    StringGrid& grid() const { return grid_; }
    GridModel& gridModel() const { return *model_; }
    void setBitmaps(const GridBitmaps* bitmaps) { bitmaps_ = bitmaps; }
    QLineEdit* inplaceEditor() const { return editor_; }

    // The events of the grid. Key handlers run before the grid's own key handling and
    // consume a key by setting it to 0.
    std::function<void(int& key, ShiftState shift)> onKeyDown;
    std::function<void(char32_t& key)> onKeyPress;
    std::function<void(const GridMouseEvent& event)> onMouseDown;
    std::function<void(const GridMouseEvent& event)> onMouseMove;
    std::function<void()> onDblClick;
    std::function<void()> onExit;
    // Draws a cell; without it a cell gets its background and its text.
    std::function<void(int col, int row, const Rect& rect, GridDrawState state, GridCanvas& canvas)>
        onDrawCell;

    // GridPort: rectangles in the grid's coordinates are this widget's coordinates.
    int textWidth(const std::string& text) const override;
    int textHeight(const std::string& text) const override;
    Rect cellRect(int col, int row) const override;
    Rect bounds() const override;
    void focusGrid() override;

    // Painting of one cell: `rect` is in the painter's coordinates, and `toGrid` moves them
    // into the grid's.
    void paintCell(QPainter& painter, const QRect& rect, QPoint toGrid, int col, int row,
                   GridDrawState state);
    GridDrawState drawState(int col, int row) const;
    QSize cellSize(int col) const;
    void headerMousePressed(QMouseEvent* event, QWidget* from);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void updateGeometries() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(QKeyEvent* event, bool inEditor);
    void navigate(int key, ShiftState shift);
    bool moveTo(int col, int row, bool extend);
    void endEditByEnter();
    void tabTo(int direction);
    GridMouseEvent mouseEvent(QMouseEvent* event, QWidget* from) const;
    void applyLayout();
    void applyWidth(int col);
    void syncCurrent();
    void syncEditor();
    void syncEditorText();
    void placeEditor();
    void closeEditorRestoring();
    void editorCursorToEnd();
    void focusChanged(QWidget* old, QWidget* now);
    bool hasFocusWithin() const;
    int lineWidth() const;

    StringGrid& grid_;
    GridModel* model_;
    GridHeaderView* header_;
    QLineEdit* editor_;
    const GridBitmaps* bitmaps_ = nullptr;
    int editorCol_ = -1;
    int editorRow_ = -1;
    std::string editorOriginal_;
    int anchorCol_ = 0;  // the fixed corner of a range selection
    int anchorRow_ = 0;
    bool selecting_ = false;
    bool applying_ = false;
};

}  // namespace vantorell
