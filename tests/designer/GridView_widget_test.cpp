// The grid view on the offscreen platform: Qt's events reach the grid logic and its handlers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "designer/rtnGrids/rtnGrids.h"
#include "designer/views/GridBitmaps.h"
#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "designer/views/OverlayComboBox.h"

namespace vantorell {
namespace {

// A window with a measures-like grid: one heading row, three columns, three measures.
class GridViewTest : public ::testing::Test {
protected:
    GridViewTest() {
        grid.setFixedCols(0);
        grid.setColCount(3);
        grid.setDefaultRowHeight(22);
        for (int c = 0; c < 3; ++c) {
            grid.setColWidth(c, 120);
        }
        nulGridRowSet(grid, 0, 0, {"Name", "Percent", "Type"});
        nulGridClear(grid);
        nulGridRowAdd(grid, {"Sales", "250000", "Independent"});
        nulGridRowAdd(grid, {"Cost", "750000", "Independent"});
        nulGridRowAdd(grid, {"Rate", "", "Weighted"});
        grid.setCurrentCell(0, 1);

        window.resize(600, 400);
        view = new GridView(grid, &window);
        view->setGeometry(20, 30, 420, 300);
        other = new QLineEdit(&window);
        other->setGeometry(460, 30, 100, 24);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        view->setFocus();
    }

    // The centre of a cell, in the viewport's coordinates.
    QPoint centreOf(int col, int row) const {
        return view->visualRect(view->gridModel().index(view->gridModel().modelRow(row), col))
            .center();
    }

    void click(int col, int row) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(col, row));
    }

    // Keys go where the focus is, as a user's typing does.
    void type(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }

    StringGrid grid;
    QWidget window;
    GridView* view = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(GridViewTest, AVetoedCellNeverBecomesCurrent) {
    std::vector<std::pair<int, int>> asked;
    grid.onSelectCell = [&](int col, int row) {
        asked.emplace_back(col, row);
        return col != 1;
    };
    click(1, 2);
    EXPECT_EQ(grid.col(), 0);
    EXPECT_EQ(grid.row(), 1);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(grid.col(), 0);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(1, 2));
    EXPECT_EQ(asked[1], std::make_pair(1, 1));

    click(2, 3);
    EXPECT_EQ(grid.col(), 2);
    EXPECT_EQ(grid.row(), 3);
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(view->currentIndex(), view->gridModel().index(1, 2));
}

TEST_F(GridViewTest, TypingReachesTheCellThroughTheKeyHandlersFirst) {
    std::u32string pressed;
    view->onKeyPress = [&](char32_t& key) {
        pressed += key;
        if (key >= U'0' && key <= U'9') {
            key = 0;  // this column takes no digits
        }
    };
    grid.includeOption(goEditing);
    type("Ma1x");
    EXPECT_TRUE(grid.editorMode());
    EXPECT_EQ(grid.cell(0, 1), "Max") << "the cell follows the editor as it is typed";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(grid.editorMode());
    EXPECT_EQ(grid.cell(0, 1), "Max");
    EXPECT_EQ(pressed, U"Ma1x\r");
    EXPECT_EQ(QApplication::focusWidget(), view);

    QTest::keyClick(view, Qt::Key_F2);
    type("im");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(grid.cell(0, 1), "Max") << "Escape gives the text back";
    EXPECT_FALSE(view->inplaceEditor()->isVisible());
}

TEST_F(GridViewTest, AltArrowKeyDownsReachTheHandlerAndMoveNothing) {
    std::vector<std::pair<int, ShiftState>> downs;
    view->onKeyDown = [&](int& key, ShiftState shift) { downs.emplace_back(key, shift); };
    grid.setCurrentCell(1, 2);
    QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(view, Qt::Key_Up, Qt::AltModifier);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].first, vk::Left);
    EXPECT_TRUE(downs[0].second.alt);
    EXPECT_EQ(downs[1].first, vk::Up);
    EXPECT_EQ(grid.col(), 1);
    EXPECT_EQ(grid.row(), 2);

    // While the in-place editor is open, key-downs still reach the handler first.
    view->onKeyDown = [&](int& key, ShiftState shift) {
        if (shift.alt && key == vk::Up) {
            grid.setEditorMode(false);
            key = 0;
        }
    };
    grid.includeOption(goEditing);
    grid.setEditorMode(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(grid.editorMode());
}

TEST_F(GridViewTest, MouseEventsCarryTheCellAndItsRectangle) {
    std::vector<GridMouseEvent> downs, moves;
    view->onMouseDown = [&](const GridMouseEvent& e) { downs.push_back(e); };
    view->onMouseMove = [&](const GridMouseEvent& e) { moves.push_back(e); };
    const QPoint at = centreOf(1, 2);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(7, 0)),
                     view->viewport()->mapToGlobal(QPointF(at + QPoint(7, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at + QPoint(7, 0));

    ASSERT_EQ(downs.size(), 1u);
    const GridMouseEvent& down = downs[0];
    EXPECT_EQ(down.col, 1);
    EXPECT_EQ(down.row, 2);
    EXPECT_EQ(down.cellRect, view->cellRect(1, 2));
    EXPECT_GE(down.x, down.cellRect.left);
    EXPECT_LT(down.x, down.cellRect.right);
    EXPECT_GE(down.y, down.cellRect.top);
    EXPECT_LT(down.y, down.cellRect.bottom);
    EXPECT_EQ(down.cellRect.width(), 120);
    EXPECT_EQ(down.cellRect.height(), 22);
    EXPECT_EQ(grid.col(), 1) << "the press made the cell current first";

    ASSERT_FALSE(moves.empty());
    EXPECT_TRUE(moves.back().shift.left);
    EXPECT_EQ(moves.back().x, down.x + 7);
    EXPECT_EQ(moves.back().col, 1);
}

TEST_F(GridViewTest, DoubleClickAndExitReachTheirHandlers) {
    int doubleClicks = 0;
    int exits = 0;
    view->onDblClick = [&] { ++doubleClicks; };
    view->onExit = [&] { ++exits; };
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centreOf(2, 1));
    EXPECT_EQ(doubleClicks, 1);

    grid.includeOption(goEditing);
    grid.setEditorMode(true);  // the editor inside the grid is no exit
    EXPECT_EQ(exits, 0);
    other->setFocus();
    EXPECT_EQ(exits, 1);
}

TEST_F(GridViewTest, TheOverlayListOpensOverItsCellAndEscapeRestoresTheText) {
    ComboBox combo;
    OverlayComboBox overlay(combo, &window);
    std::string before;
    combo.onKeyDown = [&](int& key, ShiftState shift) {
        nulGridComboBoxKeyDown(grid, combo, key, shift, before);
    };
    int changed = 0;
    combo.onExit = [&] { changed += flgGridComboBoxHide(grid, combo, before) ? 1 : 0; };
    const auto fill = [](ComboBox& c) {
        c.clearItems();
        c.addItem("Independent");
        c.addItem("Weighted");
    };

    before = grid.cell(2, 2);
    nulGridComboBoxShow(grid, combo, 2, 2, fill);
    ASSERT_TRUE(overlay.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &overlay);
    EXPECT_EQ(overlay.currentText(), "Independent");
    // Over the cell: one grid line in from the cell's corner, in the window's coordinates.
    const QRect visual = view->visualRect(view->gridModel().index(1, 2));
    const QPoint cellInWindow = view->viewport()->mapTo(&window, visual.topLeft());
    EXPECT_EQ(overlay.geometry().topLeft(), cellInWindow + QPoint(1, 1));
    EXPECT_EQ(overlay.width(), 120 + 2);

    QTest::keyClick(&overlay, Qt::Key_Right);
    EXPECT_EQ(combo.text(), "Weighted");
    QTest::keyClick(&overlay, Qt::Key_Escape);
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_EQ(grid.cell(2, 2), "Independent");
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(QApplication::focusWidget(), view);

    // Enter hands the focus back; the list's exit handler then writes the choice.
    nulGridComboBoxShow(grid, combo, 2, 2, fill);
    QTest::keyClick(&overlay, Qt::Key_Right);
    QTest::keyClick(&overlay, Qt::Key_Return);
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_EQ(grid.cell(2, 2), "Weighted");
    EXPECT_EQ(changed, 1);
}

// The colour of a pixel of the grabbed view at a point of the grid's coordinates.
QColor pixelAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

TEST_F(GridViewTest, BarsIconsAndHatchingArePainted) {
    GridBitmaps bitmaps;
    QPixmap icon(8, 8);
    icon.fill(Qt::red);
    QImage withBackground = icon.toImage();
    withBackground.setPixelColor(0, 7, Qt::white);  // the see-through colour
    bitmaps.add("MEASURESSELECTED", QPixmap::fromImage(withBackground));
    view->setBitmaps(&bitmaps);
    view->onDrawCell = [&](int col, int row, const Rect& rect, GridDrawState state,
                           GridCanvas& canvas) {
        if (row < grid.fixedRows()) {
            nulGridCellBackgroundPaint(grid, canvas, rect, state);
            nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, grid.cell(col, row));
        } else if (col == 1) {
            nulGridCellPercentBarDraw(grid, canvas, rect, col, row, GridDrawState{}, 10000, 100,
                                      clGreen, clWindowText, !grid.cell(col, row).empty());
        } else if (col == 2 && grid.cell(col, row) == "Weighted") {
            nulGridCellBackgroundPaint(grid, canvas, rect, GridDrawState{});
            canvas.setPenColor(clWindow);
            canvas.setBrush(clBlack, BrushStyle::BDiagonal);
            canvas.rectangle(rect);
        } else {
            nulGridCellBackgroundPaint(grid, canvas, rect, GridDrawState{});
            canvas.drawBitmap(rect.left + 3, rect.top + 3, "MEASURESSELECTED");
        }
    };
    view->clearFocus();
    const QImage image = view->grab().toImage();
    const Rect bar = view->cellRect(1, 1);  // 25 %: a bar over a quarter of the inner width
    const int quarter = (bar.width() - 2) / 4;
    EXPECT_EQ(pixelAt(image, bar.left + 2, bar.top + 2), QColor(0, 128, 0));
    EXPECT_EQ(pixelAt(image, bar.left + quarter - 1, bar.bottom - 3), QColor(0, 128, 0));
    EXPECT_EQ(pixelAt(image, bar.left + quarter + 3, bar.top + 2), QColor(Qt::white));
    EXPECT_EQ(pixelAt(image, bar.right - 3, bar.top + 2), QColor(Qt::white));
    const Rect full = view->cellRect(1, 2);  // 75 %
    EXPECT_EQ(pixelAt(image, full.left + 3 * quarter - 2, full.top + 2), QColor(0, 128, 0));

    const Rect icons = view->cellRect(0, 1);
    EXPECT_EQ(pixelAt(image, icons.left + 6, icons.top + 6), QColor(Qt::red));
    EXPECT_EQ(pixelAt(image, icons.left + 13, icons.top + 6), QColor(Qt::white));

    const Rect hatched = view->cellRect(2, 3);
    int dark = 0;
    for (int x = hatched.left + 2; x < hatched.left + 20; ++x) {
        dark += pixelAt(image, x, hatched.top + 8).lightness() < 100 ? 1 : 0;
    }
    EXPECT_GT(dark, 0);
    EXPECT_LT(dark, 18);
}

TEST(GridViewLarge, AHundredThousandRowsLoadAndScrollWithoutAnItemPerCell) {
    StringGrid grid;
    grid.setFixedCols(0);
    grid.setColCount(4);
    nulGridRowSet(grid, 0, 0, {"File", "Minimum Points", "Suggested Points", "Requested Points"});
    nulGridClear(grid);
    QWidget window;
    window.resize(500, 400);
    GridView view(grid, &window);
    view.resize(480, 380);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto objectsBefore = view.findChildren<QObject*>().size();

    for (int i = 0; i < 100000; ++i) {
        const std::string n = std::to_string(i);
        nulGridRowAdd(grid, {"/models/m" + n + ".vtm", n, n, n});
    }
    QApplication::processEvents();
    EXPECT_EQ(view.gridModel().rowCount(), 100000);

    grid.setCurrentCell(0, 100000);
    QApplication::processEvents();
    const QModelIndex top = view.indexAt(QPoint(2, 2));
    ASSERT_TRUE(top.isValid());
    EXPECT_GT(top.row(), 99000);
    view.grab();  // paints the rows in view
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_LT(grid.row(), 100000);

    EXPECT_EQ(view.findChildren<QObject*>().size(), objectsBefore)
        << "no widget or object per row or cell";
}

}  // namespace
}  // namespace vantorell
