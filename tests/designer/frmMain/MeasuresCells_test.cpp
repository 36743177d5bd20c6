// Editing the measures grid's cells: the lists over the list columns and what their end
// changes, typing with its filters, the checks of names, codes, totals and the global
// percentage, and which cells may be selected and how they are drawn.
#include "designer/frmMain/MeasuresCells.h"

#include <gtest/gtest.h>

#include "designer/frmMain/MeasuresDrawing.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "tests/support/GridFakes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

using Items = std::vector<std::string>;

class MeasuresCellsTest : public ::testing::Test {
protected:
    MeasuresCellsTest() { e.loadSmallModel(); }

    StringGrid& grid() { return e.sgdMeasures; }
    // Makes the cell current, as a click on it does.
    void select(int col, int row) {
        if (grid().col() == col && grid().row() == row) {
            ASSERT_TRUE(sgdMeasuresSelectCell(e, col, row));
        } else {
            ASSERT_TRUE(grid().setCurrentCell(col, row));
        }
    }
    // Selects the cell and types the text into its in-place editor, then Enter.
    void typeAndEnter(int col, int row, const std::string& text) {
        select(col, row);
        for (char c : text) {
            char32_t key = static_cast<unsigned char>(c);
            sgdMeasuresKeyPress(e, key);
            if (key == 0) {
                continue;  // consumed: a numeric edit started, or the filter dropped it
            }
            if (!grid().editorMode()) {  // the grid's own editor opens on the first character
                grid().setEditorMode(true);
                grid().setCell(col, row, {});
            }
            grid().setCell(col, row, grid().cell(col, row) + c);
        }
        char32_t enter = U'\r';
        sgdMeasuresKeyPress(e, enter);
        if (enter != 0) {
            grid().setEditorMode(false);  // the grid ends its own edit
        }
    }
    // Opens the list of a list cell and chooses the item, as the user does.
    void choose(int col, int row, ComboBox& combo, const std::string& item) {
        select(col, row);
        grid().setEditorMode(true);
        ASSERT_TRUE(combo.visible());
        EXPECT_FALSE(grid().editorMode());
        combo.selectText(item);
        combo.exit();
    }

    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e{program.path()};
    test::FakeGridPort port{e.sgdMeasures};
};

TEST_F(MeasuresCellsTest, TheListsOfferTheirChoices) {
    grid().setCurrentCell(kMeasuresType, 2);
    grid().setEditorMode(true);
    EXPECT_EQ(e.cbxMeasuresType.items(), (Items{"Independent", "Weighted"}));
    EXPECT_EQ(e.cbxMeasuresType.itemIndex(), 1);
    e.cbxMeasuresType.exit();

    intMeasuresAddRow(e, false);  // Measure 1, independent
    choose(kMeasuresType, 3, e.cbxMeasuresType, "Weighted");
    grid().setCurrentCell(kMeasuresSourceMeasure, 3);
    grid().setEditorMode(true);
    EXPECT_EQ(e.cbxMeasuresSourceMeasure.items(), Items{"Revenue"});
    e.cbxMeasuresSourceMeasure.exit();
    grid().setCurrentCell(kMeasuresWeightingDimension, 3);
    grid().setEditorMode(true);
    EXPECT_EQ(e.cbxMeasuresWeightingDimension.items(), (Items{"Region", "Product"}));
    e.cbxMeasuresWeightingDimension.selectText("Region");
    e.cbxMeasuresWeightingDimension.exit();
    EXPECT_EQ(grid().cell(kMeasuresWeightingDimension, 3), "Region");
    EXPECT_FALSE(e.cbxMeasuresWeightingDimension.visible());
}

TEST_F(MeasuresCellsTest, ATypeChangeResetsTheMeasureAndItsUseAsASource) {
    grid().setCell(kMeasuresSourceMeasure, 2, "Revenue");
    measureValueItem(*e.node("Region/North"), 0)->flgLocked = true;
    e.intBalanceRow = 3;
    choose(kMeasuresType, 1, e.cbxMeasuresType, "Weighted");
    EXPECT_EQ(grid().cell(kMeasuresIrregularityType, 1), "");
    EXPECT_EQ(grid().cell(kMeasuresGlobalPercentage, 1), "");
    EXPECT_EQ(grid().cell(kMeasuresSourceMeasure, 2), "") << "Units loses its source";
    EXPECT_EQ(e.intBalanceRow, 1);
    const TMeasureValuesWorksetItem ratios{false, 0, 0, 1.0, 1.0, 1.0};
    EXPECT_EQ(*measureValueItem(*e.node("Region/North"), 0), ratios);
    EXPECT_EQ(*irregularityItem(*e.node("Region"), 0), TIrregularitiesWorksetItem{});
    for (int col : {kMeasuresPosTotal, kMeasuresIrregularityType, kMeasuresGlobalPercentage}) {
        EXPECT_FALSE(flgMeasuresIsCellAvailable(grid(), col, 1)) << col;
    }

    // Back to Independent: the first category of every group takes the whole share again.
    choose(kMeasuresType, 1, e.cbxMeasuresType, "Independent");
    EXPECT_EQ(grid().cell(kMeasuresIrregularityType, 1), "Vary by Global Percentage");
    EXPECT_EQ(grid().cell(kMeasuresGlobalPercentage, 1), "100");
    EXPECT_EQ(e.shares("Product/Hardware", 0, true), (std::vector<int>{1000000, 0}));
    EXPECT_TRUE(test::treeSharesBalanced(e));

    // A list closed on the text it had changes nothing.
    measureValueItem(*e.node("Region/North"), 0)->intPercentage = 700000;
    choose(kMeasuresType, 1, e.cbxMeasuresType, "Independent");
    EXPECT_EQ(measureValueItem(*e.node("Region/North"), 0)->intPercentage, 700000);

    // An irregularity type chosen anew brings back the global percentage's default.
    grid().setCell(kMeasuresGlobalPercentage, 1, "40");
    choose(kMeasuresIrregularityType, 1, e.cbxMeasuresIrregType, "Vary by Dimension Irregularity");
    EXPECT_EQ(grid().cell(kMeasuresGlobalPercentage, 1), "100");
    EXPECT_FALSE(flgMeasuresIsCellAvailable(grid(), kMeasuresGlobalPercentage, 1));
}

TEST_F(MeasuresCellsTest, NamesAndCodesAreCheckedWhenTheEditEnds) {
    grid().setCell(kMeasuresSourceMeasure, 2, "Revenue");
    typeAndEnter(kMeasuresName, 1, "Sales");
    EXPECT_EQ(grid().cell(kMeasuresName, 1), "Sales");
    EXPECT_EQ(grid().cell(kMeasuresSourceMeasure, 2), "Sales") << "the source follows its name";

    messages.expect(
        "Sorry, the value entered (i.e. Sales), \ris already being used by row 1 "
        "(i.e. Sales).");
    typeAndEnter(kMeasuresName, 2, "Sales");
    EXPECT_EQ(grid().cell(kMeasuresName, 2), "Units");

    messages.expect("Sorry, a value must be specified.");
    typeAndEnter(kMeasuresCode, 2, " ");
    EXPECT_EQ(grid().cell(kMeasuresCode, 2), "UNI");
    typeAndEnter(kMeasuresCode, 2, "UN IT");
    EXPECT_EQ(grid().cell(kMeasuresCode, 2), "UNIT");

    messages.expect("Sorry, a name cannot begin with \"<\".");
    typeAndEnter(kMeasuresName, 2, "<Units>");
    EXPECT_EQ(grid().cell(kMeasuresName, 2), "Units");
    typeAndEnter(kMeasuresName, 2, std::string(90, 'u'));
    EXPECT_EQ(grid().cell(kMeasuresName, 2), std::string(80, 'u')) << "as the model keeps it";
    EXPECT_EQ(messages.pending(), 0u);
}

TEST_F(MeasuresCellsTest, NumbersPassTheirFiltersAndConvertOrAreRefused) {
    grid().setCell(kMeasuresIrregularityType, 1, "Vary by Global Percentage");
    typeAndEnter(kMeasuresGlobalPercentage, 1, "150");
    EXPECT_EQ(grid().cell(kMeasuresGlobalPercentage, 1), "100");
    typeAndEnter(kMeasuresGlobalPercentage, 1, "-4a2");
    EXPECT_EQ(grid().cell(kMeasuresGlobalPercentage, 1), "42") << "'-' and 'a' are dropped";
    messages.expect("Sorry, the value entered (i.e. 4.2.) is not a number.");
    typeAndEnter(kMeasuresGlobalPercentage, 1, "4.2.");
    EXPECT_EQ(grid().cell(kMeasuresGlobalPercentage, 1), "42");
    EXPECT_FALSE(grid().editorMode());

    typeAndEnter(kMeasuresPosTotal, 1, "-12.5x");
    EXPECT_EQ(grid().cell(kMeasuresPosTotal, 1), "12.5");
    messages.expect("Sorry, the value entered (i.e. 1.2.3) is not a number.");
    typeAndEnter(kMeasuresNegTotal, 1, "1.2.3");
    EXPECT_EQ(grid().cell(kMeasuresNegTotal, 1), "20000");
    EXPECT_EQ(messages.pending(), 0u);

    // Alt with the arrow keys steps the global percentage within 0..100.
    grid().setCurrentCell(kMeasuresGlobalPercentage, 1);
    int key = vk::Up;
    sgdMeasuresKeyDown(e, key, ShiftState{false, true, false, false});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(grid().cell(kMeasuresGlobalPercentage, 1), "100");
    key = vk::Right;
    sgdMeasuresKeyDown(e, key, ShiftState{false, true, false, false});
    EXPECT_EQ(grid().cell(kMeasuresGlobalPercentage, 1), "100");
}

TEST_F(MeasuresCellsTest, LeavingTheGridCommitsAPendingEdit) {
    grid().setCurrentCell(kMeasuresName, 2);
    grid().setEditorMode(true);
    grid().setCell(kMeasuresName, 2, "Revenue");
    messages.expectContaining("is already being used by row 1");
    sgdMeasuresExit(e);
    EXPECT_EQ(grid().cell(kMeasuresName, 2), "Units");
    EXPECT_FALSE(grid().editorMode());

    // So does moving to another cell.
    grid().setEditorMode(true);
    grid().setCell(kMeasuresName, 2, "Pieces");
    grid().setCurrentCell(kMeasuresCode, 2);
    EXPECT_EQ(grid().cell(kMeasuresName, 2), "Pieces");
    EXPECT_EQ(e.strCellPreviousText, "UNI");
}

TEST_F(MeasuresCellsTest, AMoveToACellThatDoesNotApplyKeepsTheEditWithItsTextBeforeEditing) {
    grid().setCell(kMeasuresSourceMeasure, 1, "");  // as an independent measure added here has
    select(kMeasuresName, 1);
    grid().setEditorMode(true);
    grid().setCell(kMeasuresName, 1, "Sales");
    // Revenue is independent: its source cell cannot be selected, and the name's edit stays.
    EXPECT_FALSE(grid().setCurrentCell(kMeasuresSourceMeasure, 1));
    ASSERT_TRUE(grid().editorMode());
    EXPECT_EQ(e.strCellPreviousText, "Sales");
    char32_t enter = U'\r';
    sgdMeasuresKeyPress(e, enter);
    EXPECT_EQ(grid().cell(kMeasuresSourceMeasure, 1), "") << "no empty source takes the name";

    // A total refused after such a move gets its own text back.
    select(kMeasuresPosTotal, 1);
    const std::string total = grid().cell(kMeasuresPosTotal, 1);
    grid().setEditorMode(true);
    EXPECT_FALSE(grid().setCurrentCell(kMeasuresPosTotal, 2));  // Units is weighted
    grid().setCell(kMeasuresPosTotal, 1, "1.2.3");
    messages.expectContaining("is not a number");
    sgdMeasuresKeyPress(e, enter);
    EXPECT_EQ(grid().cell(kMeasuresPosTotal, 1), total);
}

TEST_F(MeasuresCellsTest, CellsThatDoNotApplyCanNotBeSelectedAndShowHatched) {
    EXPECT_FALSE(grid().setCurrentCell(kMeasuresPosTotal, 2));       // Units is weighted
    EXPECT_FALSE(grid().setCurrentCell(kMeasuresSourceMeasure, 1));  // Revenue is not
    EXPECT_FALSE(grid().setCurrentCell(kMeasuresGlobalPercentage, 1)) << "irregularity type 2";
    EXPECT_TRUE(grid().setCurrentCell(kMeasuresWeightingDimension, 2));

    const Rect rect{0, 0, 100, 24};
    test::RecordingCanvas hatched;
    sgdMeasuresDrawCell(e, kMeasuresNegTotal, 2, rect, {}, hatched);
    ASSERT_EQ(hatched.ofKind(test::CanvasOp::Kind::Rectangle).size(), 1u);
    EXPECT_EQ(hatched.ofKind(test::CanvasOp::Kind::Rectangle)[0].style, BrushStyle::BDiagonal);

    test::RecordingCanvas total;
    sgdMeasuresDrawCell(e, kMeasuresNegTotal, 1, rect, {}, total);
    const auto texts = total.ofKind(test::CanvasOp::Kind::TextRect);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "20000");
    EXPECT_EQ(texts[0].font, clMaroon);
    EXPECT_EQ(texts[0].x, 100 - 5 * test::kCharWidth - 2 - 1) << "right-aligned";

    test::RecordingCanvas name;
    grid().setCurrentCell(kMeasuresName, 1);
    sgdMeasuresDrawCell(e, kMeasuresName, 1, rect, {}, name);
    ASSERT_EQ(name.ofKind(test::CanvasOp::Kind::Bitmap).size(), 1u);
    EXPECT_EQ(name.ofKind(test::CanvasOp::Kind::Bitmap)[0].text, kMeasuresSelectedBitmap);
    EXPECT_EQ(name.ofKind(test::CanvasOp::Kind::TextRect)[0].x, 23);

    // An empty grid selects nothing.
    test::TreeEditors empty(program.path());
    EXPECT_FALSE(empty.sgdMeasures.setCurrentCell(kMeasuresCode, 1));
}

}  // namespace
}  // namespace vantorell
