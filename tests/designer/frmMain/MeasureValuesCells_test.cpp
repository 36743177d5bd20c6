// The measure values editor: which page the lower panel shows, and editing a sibling group's
// locks, shares and ratios in the grid until they reach the working copy.
#include "designer/frmMain/MeasureValuesCells.h"

#include <gtest/gtest.h>

#include "designer/frmMain/MeasureValuesCommands.h"
#include "designer/frmMain/MeasureValuesDrawing.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasureValuesPanels.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "tests/support/GridFakes.h"
#include "tests/support/ShareEditors.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

using Texts = std::vector<std::string>;
using Shares = std::vector<int>;
constexpr int kLockedCol = 1;
constexpr int kPercentCol = 2;

Texts row(const StringGrid& grid, int r) {
    Texts out;
    for (int c = 0; c < grid.colCount(); ++c) {
        out.push_back(grid.cell(c, r));
    }
    return out;
}

// Types the text into the current cell as the grid's keys would, then Enter.
void typeAndEnter(EditorState& e, const std::string& text) {
    StringGrid& grid = e.sgdMeasureValues;
    for (char c : text) {
        char32_t key = static_cast<unsigned char>(c);
        sgdMeasureValuesKeyPress(e, key);
        if (key != 0) {
            if (!grid.editorMode()) {
                grid.setEditorMode(true);
                grid.setCell(grid.col(), grid.row(), {});
            }
            grid.setCell(grid.col(), grid.row(), grid.cell(grid.col(), grid.row()) + c);
        }
    }
    char32_t enter = U'\r';
    sgdMeasureValuesKeyPress(e, enter);
    if (enter != 0) {
        grid.setEditorMode(false);
    }
}

class MeasureValuesModelTest : public ::testing::Test {
protected:
    MeasureValuesModelTest() { e.loadSmallModel(); }

    void showMeasure(int row, const std::string& node) {
        e.sgdMeasures.setCurrentCell(kMeasuresName, row);
        e.select(node);
        nulMeasureValuesAndIrregularitiesSetPanels(e);
    }

    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e{program.path()};
};

TEST_F(MeasureValuesModelTest, ThePanelShowsTheGroupOfTheSelectedNodeForTheMeasure) {
    showMeasure(1, "Region/South");
    EXPECT_TRUE(e.flgValuesPanelShown);
    EXPECT_TRUE(e.flgIrregularitiesPageShown) << "Revenue varies by dimension and families";
    EXPECT_TRUE(e.flgMeasureValuesButtonsEnabled);
    ASSERT_EQ(e.sgdMeasureValues.dataRowCount(), 3);
    EXPECT_EQ(row(e.sgdMeasureValues, 2), (Texts{"South and Revenue", "False", "300000"}));

    // A weighted measure shows only over its weighting dimension, as ratios.
    showMeasure(2, "Region/South");
    EXPECT_FALSE(e.flgValuesPanelShown);
    EXPECT_TRUE(e.lstMeasureValuesNodes.empty());
    showMeasure(2, "Product/Hardware/Phones");
    EXPECT_TRUE(e.flgValuesPanelShown);
    EXPECT_FALSE(e.flgIrregularitiesPageShown);
    EXPECT_FALSE(e.flgMeasureValuesButtonsEnabled);
    EXPECT_EQ(row(e.sgdMeasureValues, 0), (Texts{"For", "Max. Ratio", "Avg. Ratio", "Min. Ratio"}));
    EXPECT_EQ(row(e.sgdMeasureValues, 2), (Texts{"Phones and Units", "2", "1.25", "1"}));

    // A dimension shows one row that nothing reaches, and its cells cannot be selected.
    showMeasure(1, "Product");
    EXPECT_EQ(row(e.sgdMeasureValues, 1), (Texts{"Product and Revenue", "False", "1000000"}));
    EXPECT_TRUE(e.lstMeasureValuesNodes.empty());
    EXPECT_FALSE(e.sgdMeasureValues.setCurrentCell(kPercentCol, 1));
    showMeasure(2, "Product");
    EXPECT_EQ(row(e.sgdMeasureValues, 1), (Texts{"Product and Units", "1", "1", "1"}));
}

TEST_F(MeasureValuesModelTest, RatiosKeepTheirOrderAndMustBeNumbers) {
    showMeasure(2, "Product/Hardware/Phones");
    StringGrid& grid = e.sgdMeasureValues;
    ASSERT_TRUE(grid.setCurrentCell(3, 2));  // Min. Ratio of Phones
    messages.expect("Sorry, the Min. Ratio cannot be greater than the Avg. Ratio.");
    typeAndEnter(e, "1.5");
    EXPECT_EQ(grid.cell(3, 2), "1");
    ASSERT_TRUE(grid.setCurrentCell(2, 2));  // Avg. Ratio
    messages.expect(
        "Sorry, the Avg. Ratio cannot be less than the Min. Ratio or greater than the Max. Ratio");
    typeAndEnter(e, "2.5");
    EXPECT_EQ(grid.cell(2, 2), "1.25");
    ASSERT_TRUE(grid.setCurrentCell(1, 2));  // Max. Ratio
    messages.expect("Sorry, the value entered (i.e. 2,x) is not a number.");
    typeAndEnter(e, "2,x");
    EXPECT_EQ(grid.cell(1, 2), "2");
    typeAndEnter(e, "3,5");
    EXPECT_EQ(messages.pending(), 0u);

    // Leaving the grid stores the ratios in the working copy.
    e.sgdMeasureValuesExit();
    EXPECT_DOUBLE_EQ(measureValueItem(*e.node("Product/Hardware/Phones"), 1)->dblMaximumRatio, 3.5);
}

TEST_F(MeasureValuesModelTest, EachSignIsEditedAndStoredApart) {
    showMeasure(1, "Region/North");
    StringGrid& grid = e.sgdMeasureValues;
    ASSERT_TRUE(grid.setCurrentCell(kPercentCol, 1));
    typeAndEnter(e, "60");
    TDynamicArrayOfStrings shares;
    strGridPercentagesToArray(grid, shares);
    EXPECT_EQ(test::shareSum(shares), 1000000);
    // The pending edit is stored with the positive sign before the negatives show.
    tbnMeasureValuesShowClick(e, true);
    EXPECT_EQ(e.shares("Region", 0, false)[0], 600000);
    EXPECT_EQ(e.shares("Region", 0, true), (Shares{200000, 800000, 0}));
    EXPECT_EQ(grid.cell(kPercentCol, 2), "800000");
    tbnMeasureValuesLockAllClick(e);
    EXPECT_TRUE(measureValueItem(*e.node("Region/West"), 0)->flgLocked);
    ASSERT_TRUE(grid.setCurrentCell(kPercentCol, 3));
    char32_t key = U'5';
    sgdMeasureValuesKeyPress(e, key);
    EXPECT_EQ(key, 0u);
    EXPECT_FALSE(grid.editorMode()) << "a locked row takes no typing";
    tbnMeasureValuesUnlockAllClick(e);
    EXPECT_FALSE(measureValueItem(*e.node("Region/West"), 0)->flgLocked);
}

TEST(MeasureValuesCellsTest, LocksToggleByKeyAndDoubleClick) {
    test::TestMessages messages;
    test::ShareEditors e({"250000", "|400000", "350000"});
    StringGrid& grid = e.sgdMeasureValues;
    ASSERT_TRUE(grid.setCurrentCell(kLockedCol, 2));
    EXPECT_FALSE(grid.hasOption(goEditing));
    char32_t key = U' ';
    sgdMeasureValuesKeyPress(e, key);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(grid.cell(kLockedCol, 2), "False");
    sgdMeasureValuesDblClick(e);
    EXPECT_EQ(grid.cell(kLockedCol, 2), "True");
    grid.setCell(kLockedCol, 2, "?");
    sgdMeasureValuesDblClick(e);
    EXPECT_EQ(grid.cell(kLockedCol, 2), "False") << "anything but False becomes False";
    key = U'\r';
    sgdMeasureValuesKeyPress(e, key);
    EXPECT_EQ(grid.cell(kLockedCol, 2), "True") << "anything but True becomes True";
}

TEST(MeasureValuesCellsTest, ATypedShareIsBalancedOrRefused) {
    test::TestMessages messages;
    test::ShareEditors e({"250000", "400000", "350000"});
    StringGrid& grid = e.sgdMeasureValues;
    ASSERT_TRUE(grid.setCurrentCell(kPercentCol, 1));
    typeAndEnter(e, "40");
    EXPECT_EQ(e.gridShares()[0], "400000");
    EXPECT_EQ(test::shareSum(e.gridShares()), 1000000);
    messages.expect("Sorry, the value entered (i.e. 4.0.) is not a number.");
    typeAndEnter(e, "4.0.");
    EXPECT_EQ(e.gridShares()[0], "400000");
    EXPECT_EQ(messages.pending(), 0u);

    // Alt+Down gives the row's share to the others; a group of one cannot change.
    int down = vk::Down;
    sgdMeasureValuesKeyDown(e, down, ShiftState{false, true, false, false});
    EXPECT_EQ(e.gridShares()[0], "0");
    EXPECT_EQ(test::shareSum(e.gridShares()), 1000000);
    test::ShareEditors single({"1000000"});
    single.sgdMeasureValues.setCurrentCell(kPercentCol, 1);
    down = vk::Down;
    sgdMeasureValuesKeyDown(single, down, ShiftState{false, true, false, false});
    char32_t digit = U'3';
    sgdMeasureValuesKeyPress(single, digit);
    EXPECT_EQ(single.gridShares(), Texts{"1000000"});
}

TEST(MeasureValuesCellsTest, TheMouseSetsABarAgainstTheScale) {
    test::ShareEditors e({"250000", "400000", "350000"});
    test::FakeGridPort port(e.sgdMeasureValues);
    e.sgdMeasureValues.setColWidth(kPercentCol, 204);
    const Rect cell = e.sgdMeasureValues.cellRect(kPercentCol, 1);
    cbxMeasureValuesScaleChange(e, 1);  // a full bar is 50 %
    GridMouseEvent press;
    press.col = kPercentCol;
    press.row = 1;
    press.x = cell.left + 100;  // half the bar: 25 %
    press.cellRect = cell;
    sgdMeasureValuesMouseDown(e, press);
    EXPECT_EQ(e.gridShares()[0], "250000");
    press.x = cell.left + 200;
    press.shift.left = true;
    sgdMeasureValuesMouseMove(e, press);
    EXPECT_EQ(e.gridShares()[0], "500000");
    EXPECT_EQ(test::shareSum(e.gridShares()), 1000000);

    test::RecordingCanvas canvas;
    sgdMeasureValuesDrawCell(e, kPercentCol, 1, cell, {}, canvas);
    const auto fills = canvas.ofKind(test::CanvasOp::Kind::Fill);
    ASSERT_EQ(fills.size(), 2u) << "the background and the bar";
    EXPECT_EQ(fills[1].brush, clNavy);
    EXPECT_EQ(fills[1].rect.width(), 202) << "50 % of 50 %";
    test::RecordingCanvas lock;
    sgdMeasureValuesDrawCell(e, kLockedCol, 1, cell, {}, lock);
    EXPECT_EQ(lock.ofKind(test::CanvasOp::Kind::Bitmap).at(0).text, kUnlockedBitmap);

    // Zooming stops at either end of the list.
    cbxMeasureValuesScaleChange(e, 10);
    tbnMeasureValuesScaleZoomInClick(e);
    EXPECT_EQ(e.intMeasureValuesScaleIndex, 10);
    cbxMeasureValuesScaleChange(e, 0);
    tbnMeasureValuesScaleZoomOutClick(e);
    EXPECT_EQ(e.intMeasureValuesScaleIndex, 0);
    tbnMeasureValuesScaleZoomInClick(e);
    EXPECT_DOUBLE_EQ(dblMeasureValuesScaleGet(e), 50);
}

}  // namespace
}  // namespace vantorell
