// Editing and drawing the import dialog's grids: the "Include?" toggles, digits only in the
// category limit, new names and codes refused where the tree or the grid has them, the list
// over "Import Measure", and the cells as they are drawn.
#include <gtest/gtest.h>

#include "designer/frmImpMeas/ImportDimsCatsCells.h"
#include "designer/frmImpMeas/ImportDrawing.h"
#include "designer/frmImpMeas/ImportMeasuresCells.h"
#include "designer/rtnGrids/GridComboBox.h"
#include "tests/support/GridFakes.h"
#include "tests/support/ImportModels.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEditors.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using namespace test;

class ImportCellsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(editors.internalize(importTargetModel()));
        dialog.strImportFile = writtenModel(program.file("import.vtm"), importSourceModel());
        ASSERT_TRUE(dialog.FormShow());
    }

    StringGrid& dims() { return dialog.sgdDimsCatsImport; }
    char32_t press(char32_t key) {
        sgdDimsCatsImportKeyPress(dialog, key);
        return key;
    }
    // Types the text into the cell's in-place editor, as the view does.
    void type(int col, int row, const std::string& text) {
        ASSERT_TRUE(dims().setCurrentCell(col, row));
        dims().setEditorMode(true);
        ASSERT_TRUE(dims().editorMode());
        dims().setCell(col, row, text);
    }

    TempFolder program;
    TestMessages messages;
    TestEditors editors{program.path()};
    ImportDialogState dialog{editors};
};

TEST_F(ImportCellsTest, IncludeTogglesBySpaceEnterAndDoubleClick) {
    ASSERT_TRUE(dims().setCurrentCell(kImportInclude, 1));
    EXPECT_FALSE(dims().hasOption(goEditing));
    EXPECT_EQ(press(U' '), 0u);
    EXPECT_EQ(dims().cell(kImportInclude, 1), "False");
    EXPECT_EQ(press(U'\r'), 0u);
    EXPECT_EQ(dims().cell(kImportInclude, 1), "True");
    EXPECT_EQ(press(U'x'), U'x');  // passes on, and the grid does not edit here
    sgdDimsCatsImportDblClick(dialog);
    EXPECT_EQ(dims().cell(kImportInclude, 1), "False");
    dims().setCell(kImportInclude, 1, "maybe");
    sgdDimsCatsImportDblClick(dialog);
    EXPECT_EQ(dims().cell(kImportInclude, 1), "False");
    // Elsewhere a double click changes nothing.
    ASSERT_TRUE(dims().setCurrentCell(kImportNewDimensionName, 2));
    EXPECT_TRUE(dims().hasOption(goEditing));
    sgdDimsCatsImportDblClick(dialog);
    EXPECT_EQ(dims().cell(kImportInclude, 2), "True");
    // The import dimension's name cannot be chosen.
    EXPECT_FALSE(dims().setCurrentCell(kImportDimension, 2));
    EXPECT_EQ(dims().col(), kImportNewDimensionName);
}

TEST_F(ImportCellsTest, TheCategoryLimitTakesDigitsOnly) {
    ASSERT_TRUE(dims().setCurrentCell(kImportCategoryLimit, 1));
    for (const char32_t passes : {U'0', U'7', U'9', char32_t{8}, U'\r'}) {
        EXPECT_EQ(press(passes), passes);
    }
    for (const char32_t dropped : {U'a', U'-', U'.', U' ', U'é'}) {
        EXPECT_EQ(press(dropped), 0u);
    }
}

TEST_F(ImportCellsTest, ANewNameOrCodeInUseIsRefusedWhenTheEditEnds) {
    struct Case {
        int col;
        std::string typed;
        std::string message;
    };
    const Case cases[] = {
        {kImportNewDimensionName, "Region",
         "Sorry, the value entered (i.e. Region), \ris already being used by row 1 (i.e. Region) "
         "\rin the current models Dimensions/Category Tree."},
        {kImportNewDimensionCode, "S",
         "Sorry, the value entered (i.e. S), \ris already being used by row 3 (i.e. South) \rin "
         "the current models Dimensions/Category Tree."},
        {kImportNewDimensionName, "Channel",
         "Sorry, the value entered (i.e. Channel), \ris already being used by row 2 (i.e. "
         "Channel) \rin the Import Dimension/Category Grid."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string before = dims().cell(c.col, 1);  // the proposal
        type(c.col, 1, c.typed);
        messages.expect(c.message, MessageAnswer::Cancel);
        EXPECT_EQ(press(U'\r'), U'\r');  // the grid closes its editor
        EXPECT_EQ(dims().cell(c.col, 1), before);
        EXPECT_EQ(messages.shown().back().buttons, unsigned{kButtonCancel});
        dims().setEditorMode(false);
    }
    // A free value stays, without a message.
    type(kImportNewDimensionCode, 1, "PRD");  // free in the tree, and no grid row's name
    press(U'\r');
    EXPECT_EQ(dims().cell(kImportNewDimensionCode, 1), "PRD");
    EXPECT_EQ(intImportValueClash(dialog, "South", 0), -1);  // a category, not a dimension
    messages.allowContaining("Sorry");
    EXPECT_EQ(intImportValueClash(dialog, "S", 1), 2);
    EXPECT_EQ(intImportValueClash(dialog, "Channel", 0), 2);
}

TEST_F(ImportCellsTest, MovingOnEndsTheEditInItsOwnCell) {
    ASSERT_EQ(dims().cell(kImportNewDimensionName, 1), "Region 1");
    type(kImportNewDimensionName, 1, "Region");
    messages.expectContaining("is already being used by row 1 (i.e. Region)");
    ASSERT_TRUE(dims().setCurrentCell(kImportNewDimensionName, 2));
    EXPECT_FALSE(dims().editorMode());
    EXPECT_EQ(dims().cell(kImportNewDimensionName, 1), "Region 1");
    EXPECT_EQ(dims().cell(kImportNewDimensionName, 2), "");
    EXPECT_EQ(dialog.strCellPreviousText, "");

    // Leaving the grid does the same.
    type(kImportNewDimensionName, 2, "Region");
    messages.expectContaining("is already being used by row 1 (i.e. Region)");
    sgdDimsCatsImportExit(dialog);
    EXPECT_FALSE(dims().editorMode());
    EXPECT_EQ(dims().cell(kImportNewDimensionName, 2), "");
    EXPECT_EQ(messages.pending(), 0u);
}

TEST_F(ImportCellsTest, OnlyTheImportMeasureIsChosenThroughItsList) {
    StringGrid& grid = dialog.sgdMeasuresImport;
    FakeGridPort port(grid);
    EXPECT_FALSE(grid.setCurrentCell(kTargetMeasure, 1));
    EXPECT_FALSE(grid.setCurrentCell(kTargetType, 1));
    ASSERT_TRUE(grid.setCurrentCell(kImportMeasure, 2));
    EXPECT_TRUE(grid.hasOption(goEditing));
    grid.setEditorMode(true);  // as Enter, a click or typing ask for it
    EXPECT_FALSE(grid.editorMode());
    ComboBox& list = dialog.cbxImportMeasures;
    ASSERT_TRUE(list.visible());
    EXPECT_EQ(list.items(), (std::vector<std::string>{"Qty", ""}));
    EXPECT_EQ(list.row(), 2);
    list.setItemIndex(0);
    cbxImportMeasuresExit(dialog);
    EXPECT_EQ(grid.cell(kImportMeasure, 2), "Qty");

    // Escape gives the text before editing back.
    grid.setEditorMode(true);
    list.setItemIndex(1);
    cbxImportMeasuresKeyDown(dialog, vk::Escape, {});
    EXPECT_FALSE(list.visible());
    EXPECT_EQ(grid.cell(kImportMeasure, 2), "Qty");
}

TEST_F(ImportCellsTest, CellsAreDrawnAsTheMeasuresGridDrawsThem) {
    const Rect rect{0, 0, 120, 24};
    const auto draw = [&](int col, int row, bool measures = false) {
        RecordingCanvas canvas;
        if (measures) {
            sgdMeasuresImportDrawCell(dialog, col, row, rect, {}, canvas);
        } else {
            sgdDimsCatsImportDrawCell(dialog, col, row, rect, {}, canvas);
        }
        return canvas;
    };
    const auto bitmap = [](const RecordingCanvas& canvas) {
        const auto drawn = canvas.ofKind(CanvasOp::Kind::Bitmap);
        return drawn.empty() ? std::string() : drawn.front().text;
    };
    ASSERT_TRUE(dims().setCurrentCell(kImportInclude, 1));
    EXPECT_EQ(bitmap(draw(kImportDimension, 1)), kDimsSelectedBitmap);
    EXPECT_EQ(bitmap(draw(kImportDimension, 2)), kDimsUnselectedBitmap);
    EXPECT_EQ(bitmap(draw(kTargetMeasure, 1, true)), "MEASURESSELECTED");
    EXPECT_EQ(bitmap(draw(kTargetMeasure, 2, true)), "MEASURESUNSELECTED");

    dims().setCell(kImportInclude, 2, "False");
    EXPECT_EQ(bitmap(draw(kImportInclude, 1)), kTrueMarkBitmap);
    EXPECT_EQ(bitmap(draw(kImportInclude, 2)), kFalseMarkBitmap);
    const RecordingCanvas mark = draw(kImportInclude, 1);
    EXPECT_EQ(mark.ofKind(CanvasOp::Kind::Bitmap).front().x, (120 - 16) / 2);
    dims().setCell(kImportInclude, 2, "?");
    EXPECT_EQ(bitmap(draw(kImportInclude, 2)), "UNKNOWNMARK");

    // A limit shows with thousands separators at the right; 0 shows nothing.
    EXPECT_TRUE(draw(kImportCategoryLimit, 1).ofKind(CanvasOp::Kind::TextRect).empty());
    dims().setCell(kImportCategoryLimit, 1, "1234567");
    const auto limit = draw(kImportCategoryLimit, 1).ofKind(CanvasOp::Kind::TextRect);
    ASSERT_EQ(limit.size(), 1u);
    EXPECT_EQ(limit[0].text, "1,234,567");
    EXPECT_EQ(limit[0].x, 120 - 9 * kCharWidth - 2 - 1);

    // Headings in button colours; a grid without data rows draws backgrounds only.
    const auto heading = draw(0, 0).ofKind(CanvasOp::Kind::TextRect);
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_EQ(heading[0].text, "Import Dimension");
    EXPECT_EQ(heading[0].brush, clBtnFace);
    ASSERT_TRUE(editors.internalize({}));
    ASSERT_TRUE(dialog.FormShow());
    const RecordingCanvas empty = draw(kTargetMeasure, 1, true);
    EXPECT_TRUE(empty.ofKind(CanvasOp::Kind::TextRect).empty());
    EXPECT_TRUE(empty.ofKind(CanvasOp::Kind::Bitmap).empty());
}

TEST(ImportDrawingTest, ThousandsSeparators) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "1"},        {"100", "100"}, {"1234", "1,234"}, {"1234567", "1,234,567"},
        {"000123", "123"}, {"0000", "0"},  {"", "0"},         {"123456", "123,456"}};
    for (const auto& [digits, text] : cases) {
        EXPECT_EQ(strThousandsText(digits), text) << digits;
    }
}

}  // namespace
}  // namespace vantorell
