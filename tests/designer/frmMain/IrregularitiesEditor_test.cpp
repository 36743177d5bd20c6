// The irregularities editor: one row per dimension for the current measure, loaded from and
// saved into the dimensions' working data, with its presets, its family list and the cells
// that apply to the measure's irregularity type.
#include "designer/frmMain/IrregularitiesEditor.h"

#include <gtest/gtest.h>

#include "designer/frmMain/IrregularitiesCells.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "tests/support/GridFakes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

using Texts = std::vector<std::string>;

class IrregularitiesEditorTest : public ::testing::Test {
protected:
    IrregularitiesEditorTest() {
        e.loadSmallModel();
        e.select("Region/North");
        nulMeasureValuesAndIrregularitiesSetPanels(e);  // Revenue: up to 2 families
    }

    Texts row(int r) const {
        Texts out;
        for (int c = 0; c < grid().colCount(); ++c) {
            out.push_back(grid().cell(c, r));
        }
        return out;
    }
    StringGrid& grid() const { return const_cast<test::TreeEditors&>(e).sgdIrregularities; }
    const TIrregularitiesWorksetItem& item(const std::string& dimension) const {
        return *irregularityItem(*e.node(dimension), 0);
    }
    void typeAndEnter(int col, int r, const std::string& text) {
        ASSERT_TRUE(grid().setCurrentCell(col, r) || (grid().col() == col && grid().row() == r));
        sgdIrregularitiesSelectCell(e, col, r);
        for (char c : text) {
            char32_t key = static_cast<unsigned char>(c);
            sgdIrregularitiesKeyPress(e, key);
            if (key != 0) {
                grid().setCell(col, r, grid().cell(col, r) + c);
            }
        }
        char32_t enter = U'\r';
        sgdIrregularitiesKeyPress(e, enter);
    }

    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e{program.path()};
};

TEST_F(IrregularitiesEditorTest, ARowPerDimensionForTheCurrentMeasure) {
    EXPECT_TRUE(e.flgIrregularitiesPageShown);
    ASSERT_EQ(grid().dataRowCount(), 2);
    EXPECT_EQ(row(0), (Texts{"For", "Adjustment Percentage", "Extra Adj. Percentage", "Family"}));
    EXPECT_EQ(row(1), (Texts{"Region and Revenue", "15", "5", "Family 1"}));
    EXPECT_EQ(row(2), (Texts{"Product and Revenue", "10", "0", "No Family"}));
    EXPECT_EQ(grid().fixedCols(), 1);

    // A fraction shows as the nearest whole percentage and stays as it is until its cell
    // changes; a changed cell goes back as the whole percentage.
    irregularityItem(*e.node("Region"), 0)->dblStandardIrregularity = 0.257;
    irregularityItem(*e.node("Product"), 0)->dblStandardIrregularity = 0.29;
    irregularityItem(*e.node("Product"), 0)->dblInterFamilyIrregularity = 0.054;
    nulsgdIrregularitiesLoad(e);
    EXPECT_EQ(grid().cell(kIrregularitiesAdjustment, 1), "26");
    EXPECT_EQ(grid().cell(kIrregularitiesAdjustment, 2), "29");
    EXPECT_EQ(grid().cell(kIrregularitiesExtraAdjustment, 2), "5");
    nulsgdIrregularitiesSave(e);
    EXPECT_DOUBLE_EQ(item("Region").dblStandardIrregularity, 0.257);
    EXPECT_DOUBLE_EQ(item("Product").dblStandardIrregularity, 0.29);
    EXPECT_DOUBLE_EQ(item("Product").dblInterFamilyIrregularity, 0.054);
    grid().setCell(kIrregularitiesAdjustment, 1, "25");
    nulsgdIrregularitiesSave(e);
    EXPECT_DOUBLE_EQ(item("Region").dblStandardIrregularity, 0.25);

    // Another measure without families hides the page and lets go of the rows.
    e.sgdMeasures.setCurrentCell(kMeasuresName, 2);
    EXPECT_FALSE(e.flgIrregularitiesPageShown);
    EXPECT_TRUE(e.lstIrregularitiesNodes.empty());
}

TEST_F(IrregularitiesEditorTest, TypedPercentagesAndTheFamilyReachTheWorkingData) {
    typeAndEnter(kIrregularitiesAdjustment, 1, "150");
    EXPECT_EQ(grid().cell(kIrregularitiesAdjustment, 1), "100");
    typeAndEnter(kIrregularitiesExtraAdjustment, 2, "-3x5");
    EXPECT_EQ(grid().cell(kIrregularitiesExtraAdjustment, 2), "35");
    messages.expect("Sorry, the value entered (i.e. 3..) is not a number.");
    typeAndEnter(kIrregularitiesExtraAdjustment, 2, "3..");
    EXPECT_EQ(grid().cell(kIrregularitiesExtraAdjustment, 2), "35");

    test::FakeGridPort port(grid());
    ASSERT_TRUE(grid().setCurrentCell(kIrregularitiesFamily, 2));
    grid().setEditorMode(true);
    ASSERT_TRUE(e.cbxIrregularitiesFamily.visible());
    e.cbxIrregularitiesFamily.setItemIndex(2);
    e.cbxIrregularitiesFamily.exit();
    EXPECT_EQ(grid().cell(kIrregularitiesFamily, 2), "Family 2");

    e.sgdIrregularitiesExit();
    EXPECT_DOUBLE_EQ(item("Region").dblStandardIrregularity, 1.0);
    EXPECT_DOUBLE_EQ(item("Product").dblInterFamilyIrregularity, 0.35);
    EXPECT_EQ(item("Product").intIrregularityFamilyNumber, 2);
    EXPECT_EQ(messages.pending(), 0u);
}

TEST_F(IrregularitiesEditorTest, PresetsFillEveryRowWhateverApplies) {
    btnIrregularitiesPercentHalfClick(e);
    EXPECT_EQ(row(2), (Texts{"Product and Revenue", "50", "50", "No Family"}));
    EXPECT_DOUBLE_EQ(item("Region").dblInterFamilyIrregularity, 0.5);
    EXPECT_EQ(item("Region").intIrregularityFamilyNumber, 1) << "Half keeps the families";
    btnIrregularitiesResetClick(e);
    EXPECT_EQ(row(1), (Texts{"Region and Revenue", "0", "0", "No Family"}));
    EXPECT_EQ(item("Region"), TIrregularitiesWorksetItem{});

    // Without families the extra and the family do not apply, yet the presets fill them.
    e.sgdMeasures.setCell(kMeasuresIrregularityType, 1, "Vary by Dimension Irregularity");
    nulMeasureValuesAndIrregularitiesSetPanels(e);
    EXPECT_FALSE(grid().setCurrentCell(kIrregularitiesExtraAdjustment, 1));
    EXPECT_FALSE(grid().setCurrentCell(kIrregularitiesFamily, 2));
    btnIrregularitiesPercentFullClick(e);
    EXPECT_EQ(row(1), (Texts{"Region and Revenue", "100", "100", "No Family"}));
    test::RecordingCanvas canvas;
    sgdIrregularitiesDrawCell(e, kIrregularitiesExtraAdjustment, 1, Rect{0, 0, 80, 20}, {}, canvas);
    ASSERT_EQ(canvas.ofKind(test::CanvasOp::Kind::Rectangle).size(), 1u);
    EXPECT_EQ(canvas.ofKind(test::CanvasOp::Kind::Rectangle)[0].style, BrushStyle::BDiagonal);
}

}  // namespace
}  // namespace vantorell
