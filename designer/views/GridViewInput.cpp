// Keys, mouse, the in-place editor and the focus of the grid view.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "designer/views/GridHeaderView.h"
#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "designer/views/ViewKeys.h"

namespace vantorell {

namespace {

std::string toUtf8(char32_t c) {
    return QString::fromUcs4(&c, 1).toStdString();
}

bool isNavigationKey(int key) {
    return key == vk::Left || key == vk::Right || key == vk::Up || key == vk::Down ||
           key == vk::Home || key == vk::End || key == vk::Prior || key == vk::Next;
}

}  // namespace

// --- keys ---

void GridView::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event, false)) {
        event->ignore();
    }
}

bool GridView::handleKey(QKeyEvent* event, bool inEditor) {
    const ShiftState shift = shiftState(event->modifiers());
    int key = virtualKey(*event);
    if (key != 0 && onKeyDown) {
        onKeyDown(key, shift);
        if (key == 0) {
            return true;
        }
    }
    if (inEditor && key == vk::Tab && !shift.ctrl && !shift.alt) {
        // Tab ends the edit as Enter does and moves on to the next cell (Shift: the previous).
        endEditByEnter();
        tabTo(shift.shift ? -1 : 1);
        return true;
    }
    const char32_t typed = typedCharacter(*event);
    char32_t ch = typed;
    if (ch != 0 && onKeyPress) {
        const bool wasEditing = grid_.editorMode();
        onKeyPress(ch);
        if (ch == 0) {
            if (!wasEditing && typed >= 32) {
                editorCursorToEnd();  // the handler opened the editor on the typed character
            }
            return true;
        }
    }

    if (inEditor) {
        if (ch == U'\r') {
            grid_.setEditorMode(false);
            return true;
        }
        if (key == vk::Escape) {
            closeEditorRestoring();
            return true;
        }
        if (key == vk::Up || key == vk::Down || key == vk::Prior || key == vk::Next) {
            navigate(key, shift);
            return true;
        }
        if (ch != typed && ch >= 32) {
            editor_->insert(QString::fromUcs4(&ch, 1));  // the handler typed another character
            return true;
        }
        return false;  // the editor's own editing
    }

    if (isNavigationKey(key) && !shift.alt) {
        navigate(key, shift);
        return true;
    }
    if (key == vk::F2 && grid_.hasOption(goEditing)) {
        grid_.setEditorMode(true);
        return true;
    }
    if (ch == U'\r') {
        if (grid_.hasOption(goEditing)) {
            grid_.setEditorMode(!grid_.editorMode());
        }
        return true;
    }
    if (ch >= 32 && grid_.hasOption(goEditing) && !grid_.editorMode()) {
        // Typing over a cell opens the editor with the typed character replacing the text;
        // a cell that lays its own editor over itself keeps its text.
        grid_.setEditorMode(true);
        if (grid_.editorMode()) {
            grid_.setCell(grid_.col(), grid_.row(), toUtf8(ch));
            editorCursorToEnd();
        }
        return true;
    }
    return key != 0 || ch != 0;
}

void GridView::navigate(int key, ShiftState shift) {
    int col = grid_.col();
    int row = grid_.row();
    const int page = std::max(1, viewport()->height() / (grid_.defaultRowHeight() + lineWidth()));
    switch (key) {
        case vk::Left:
            --col;
            break;
        case vk::Right:
            ++col;
            break;
        case vk::Up:
            --row;
            break;
        case vk::Down:
            ++row;
            break;
        case vk::Home:
            col = grid_.fixedCols();
            if (shift.ctrl) {
                row = grid_.fixedRows();
            }
            break;
        case vk::End:
            col = grid_.colCount() - 1;
            if (shift.ctrl) {
                row = grid_.rowCount() - 1;
            }
            break;
        case vk::Prior:
            row -= page;
            break;
        case vk::Next:
            row += page;
            break;
        default:
            return;
    }
    col = std::clamp(col, grid_.fixedCols(), grid_.colCount() - 1);
    row = std::clamp(row, grid_.fixedRows(), grid_.rowCount() - 1);
    moveTo(col, row, shift.shift);
}

void GridView::endEditByEnter() {
    char32_t enter = U'\r';
    if (onKeyPress) {
        onKeyPress(enter);
    }
    grid_.setEditorMode(false);
}

void GridView::tabTo(int direction) {
    // The cells in reading order, past those that may not be selected; the last cell of the
    // grid keeps the focus where it is.
    if (grid_.colCount() <= grid_.fixedCols()) {
        return;
    }
    int col = grid_.col();
    int row = grid_.row();
    while (true) {
        col += direction;
        if (col >= grid_.colCount()) {
            col = grid_.fixedCols();
            ++row;
        } else if (col < grid_.fixedCols()) {
            col = grid_.colCount() - 1;
            --row;
        }
        if (row < grid_.fixedRows() || row >= grid_.rowCount()) {
            return;
        }
        if (moveTo(col, row, false)) {
            return;
        }
    }
}

bool GridView::moveTo(int col, int row, bool extend) {
    extend = extend && grid_.hasOption(goRangeSelect);
    if (!grid_.setCurrentCell(col, row)) {
        return false;
    }
    if (extend) {
        grid_.setSelection(GridRect{anchorCol_, anchorRow_, col, row});
    } else {
        anchorCol_ = col;
        anchorRow_ = row;
    }
    return true;
}

// --- mouse ---

GridMouseEvent GridView::mouseEvent(QMouseEvent* event, QWidget* from) const {
    GridMouseEvent e;
    e.button = mouseButton(event->button());
    e.shift = shiftState(event->modifiers(), event->buttons());
    const QPoint at = from->mapTo(this, event->position().toPoint());
    e.x = at.x();
    e.y = at.y();
    if (from == viewport()) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid()) {
            e.col = index.column();
            e.row = model_->gridRow(index.row());
        }
    } else {
        const int col = header_->logicalIndexAt(event->position().toPoint());
        const int row = event->position().toPoint().y() / (grid_.defaultRowHeight() + lineWidth());
        if (col >= 0 && row >= 0 && row < grid_.fixedRows()) {
            e.col = col;
            e.row = row;
        }
    }
    if (e.col >= 0) {
        e.cellRect = cellRect(e.col, e.row);
    }
    return e;
}

void GridView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const GridMouseEvent e = mouseEvent(event, viewport());
    if (event->button() == Qt::LeftButton && e.col >= grid_.fixedCols() &&
        e.row >= grid_.fixedRows()) {
        if (e.col == grid_.col() && e.row == grid_.row()) {
            if (grid_.hasOption(goEditing)) {
                grid_.setEditorMode(true);
            }
            grid_.click();
        } else {
            moveTo(e.col, e.row, e.shift.shift);
        }
        selecting_ = true;
    }
    if (onMouseDown) {
        onMouseDown(e);
    }
}

void GridView::headerMousePressed(QMouseEvent* event, QWidget* from) {
    setFocus(Qt::MouseFocusReason);
    if (onMouseDown) {
        onMouseDown(mouseEvent(event, from));
    }
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    GridMouseEvent e = mouseEvent(event, viewport());
    if (selecting_ && e.shift.left && grid_.hasOption(goRangeSelect) &&
        e.col >= grid_.fixedCols() && e.row >= grid_.fixedRows() &&
        (e.col != grid_.col() || e.row != grid_.row())) {
        moveTo(e.col, e.row, true);
    }
    if (onMouseMove) {
        onMouseMove(e);
    }
}

void GridView::mouseReleaseEvent(QMouseEvent* /*event*/) {
    selecting_ = false;
}

void GridView::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    if (onDblClick) {
        onDblClick();
    }
}

// --- in-place editor ---

void GridView::placeEditor() {
    if (!editor_->isVisible()) {
        return;
    }
    const QModelIndex index = model_->index(model_->modelRow(editorRow_), editorCol_);
    editor_->setGeometry(QRect(visualRect(index).topLeft(), cellSize(editorCol_)));
}

void GridView::syncEditor() {
    if (grid_.editorMode()) {
        const bool moved = editorCol_ != grid_.col() || editorRow_ != grid_.row();
        if (editor_->isVisible() && !moved) {
            return;
        }
        editorCol_ = grid_.col();
        editorRow_ = grid_.row();
        editorOriginal_ = grid_.cell(editorCol_, editorRow_);
        editor_->setText(QString::fromStdString(editorOriginal_));
        editor_->setFont(font());
        editor_->show();
        placeEditor();
        editor_->setFocus(Qt::OtherFocusReason);
        // An edit opened by Enter, F2 or a click starts with the old text selected, so that
        // typing replaces it; one opened by typing moves the cursor behind what was typed.
        editor_->selectAll();
        return;
    }
    if (editor_->isVisible()) {
        // The focus goes back to the grid before the editor hides: left to itself, it would
        // move on to another control, and the grid's exit handler would run in the middle of
        // the edit that is ending.
        if (editor_->hasFocus()) {
            setFocus(Qt::OtherFocusReason);
        }
        editor_->hide();
        viewport()->update();
    }
}

void GridView::editorCursorToEnd() {
    if (editor_->isVisible()) {
        editor_->deselect();
        editor_->end(false);
    }
}

void GridView::syncEditorText() {
    if (!editor_->isVisible()) {
        return;
    }
    const QString text = QString::fromStdString(grid_.cell(editorCol_, editorRow_));
    if (editor_->text() != text) {
        editor_->setText(text);
    }
}

void GridView::closeEditorRestoring() {
    grid_.setCell(editorCol_, editorRow_, editorOriginal_);
    grid_.setEditorMode(false);
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        return handleKey(static_cast<QKeyEvent*>(event), true);
    }
    return QTableView::eventFilter(watched, event);
}

// --- focus ---

bool GridView::hasFocusWithin() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == this || isAncestorOf(focus));
}

void GridView::focusChanged(QWidget* old, QWidget* now) {
    const bool wasIn = old != nullptr && (old == this || isAncestorOf(old));
    const bool isIn = now != nullptr && (now == this || isAncestorOf(now));
    if (wasIn == isIn) {
        return;
    }
    viewport()->update();
    // Leaving the window is no exit; moving to another control is.
    if (wasIn && now != nullptr && onExit) {
        onExit();
    }
}

}  // namespace vantorell
