// The measures editor on screen: its buttons run its commands and follow the grid, a list
// cell opens its list over the cell, and typing in the grid reaches the editor's checks.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/TForm1.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "designer/views/OverlayComboBox.h"
#include "platform/EventLoop.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

class MeasuresPaneTest : public ::testing::Test {
protected:
    MeasuresPaneTest() {
        form.show();  // File New: one measure, Dimension 1 with Category 1
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QPoint centreOf(int col, int row) const {
        const QModelIndex index = form.sgdMeasures->gridModel().index(row - 1, col);
        return form.sgdMeasures->visualRect(index).center();
    }

    test::TempFolder program;
    test::TestMessages messages;
    TForm1 form{program.path()};
    StringGrid& grid = form.editors.sgdMeasures;
};

TEST_F(MeasuresPaneTest, ButtonsRunTheCommandsAndFollowTheGrid) {
    form.tbnMeasureAdd->trigger();
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(kMeasuresName, 2), "Measure 2");
    EXPECT_TRUE(form.sgdMeasures->inplaceEditor()->isVisible()) << "the new name in editing";
    form.tbnMeasureRem->trigger();
    form.tbnMeasureRem->trigger();
    EXPECT_TRUE(flgGridIsEmpty(grid));
    EXPECT_FALSE(form.tbnMeasureRem->isEnabled());
    EXPECT_FALSE(form.tbnMeasureMoveDown->isEnabled());
    EXPECT_TRUE(form.tbnMeasureInsert->isEnabled());
    form.tbnMeasureInsert->trigger();
    EXPECT_TRUE(form.tbnMeasureRem->isEnabled());
}

TEST_F(MeasuresPaneTest, AListCellOpensItsListAndTypingReachesTheChecks) {
    processMessages();
    QTest::mouseClick(form.sgdMeasures->viewport(), Qt::LeftButton, {}, centreOf(kMeasuresType, 1));
    ASSERT_EQ(grid.col(), kMeasuresType);
    QTest::keyClick(form.sgdMeasures, Qt::Key_Return);
    ASSERT_TRUE(form.cbxMeasuresType->isVisible());
    EXPECT_FALSE(form.sgdMeasures->inplaceEditor()->isVisible());
    QTest::keyClick(form.cbxMeasuresType, Qt::Key_Right);  // the last entry: Weighted
    QTest::keyClick(form.cbxMeasuresType, Qt::Key_Return);
    processMessages();
    EXPECT_FALSE(form.cbxMeasuresType->isVisible());
    EXPECT_EQ(grid.cell(kMeasuresType, 1), "Weighted");
    EXPECT_EQ(grid.cell(kMeasuresGlobalPercentage, 1), "");

    QTest::mouseClick(form.sgdMeasures->viewport(), Qt::LeftButton, {}, centreOf(kMeasuresCode, 1));
    QTest::keyClicks(form.sgdMeasures, "M");
    ASSERT_TRUE(form.sgdMeasures->inplaceEditor()->isVisible());
    QTest::keyClicks(form.sgdMeasures->inplaceEditor(), " 2");
    QTest::keyClick(form.sgdMeasures->inplaceEditor(), Qt::Key_Return);
    EXPECT_EQ(grid.cell(kMeasuresCode, 1), "M2");
    EXPECT_FALSE(form.sgdMeasures->inplaceEditor()->isVisible());
}

}  // namespace
}  // namespace vantorell
