// The drop-down list laid over a grid cell.
#include "designer/rtnGrids/GridComboBox.h"

#include <gtest/gtest.h>

#include "designer/rtnGrids/GridRows.h"
#include "tests/support/GridFakes.h"

namespace vantorell {
namespace {

class FocusRecorder : public ComboBoxView {
public:
    void comboChanged() override { ++changes; }
    void focusCombo() override { ++focusCount; }
    int changes = 0;
    int focusCount = 0;
};

void fillTypes(ComboBox& combo) {
    combo.clearItems();
    combo.addItem("Independent");
    combo.addItem("Weighted");
}

class GridComboBoxTest : public ::testing::Test {
protected:
    GridComboBoxTest() {
        grid.setFixedCols(0);
        grid.setColCount(3);
        grid.setColWidth(0, 80);
        grid.setColWidth(1, 90);
        grid.setDefaultRowHeight(20);
        nulGridRowSet(grid, 0, 0, {"Name", "Type", "Code"});
        nulGridClear(grid);
        nulGridRowAdd(grid, {"Sales", "Independent", "S"});
        nulGridRowAdd(grid, {"Rate", "Weighted", "R"});
        grid.setCurrentCell(1, 2);
        combo.setView(&view);
    }

    StringGrid grid;
    test::FakeGridPort port{grid, Rect{10, 20, 400, 300}};
    ComboBox combo;
    FocusRecorder view;
};

TEST_F(GridComboBoxTest, ShowLaysTheListOverTheCellAndChoosesItsText) {
    grid.includeOption(goEditing);
    grid.setEditorMode(true);
    nulGridComboBoxShow(grid, combo, 1, 2, fillTypes);
    // Cell (1, 2): left 80 + 1, top 2 x (20 + 1); grid at (10, 20); grid lines 1 pixel.
    EXPECT_EQ(combo.bounds(), (Rect{10 + 81 + 1, 20 + 42 + 1, 10 + 81 + 1 + 92, 20 + 42 + 1 + 18}));
    EXPECT_EQ(combo.itemIndex(), 1);
    EXPECT_EQ(combo.text(), "Weighted");
    EXPECT_TRUE(combo.visible());
    EXPECT_EQ(view.focusCount, 1);
    EXPECT_FALSE(grid.editorMode());
    EXPECT_EQ(grid.cell(1, 2), "Weighted");
}

TEST_F(GridComboBoxTest, ATextMissingFromTheListIsKeptWhenNothingIsChosen) {
    grid.setCell(1, 2, "Gone");
    nulGridComboBoxShow(grid, combo, 1, 2, fillTypes);
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_FALSE(flgGridComboBoxHide(grid, combo, "Gone"));
    EXPECT_EQ(grid.cell(1, 2), "Gone");
}

TEST_F(GridComboBoxTest, HideWritesTheChoiceIntoTheCellItWasOpenedForAndFitsTheColumn) {
    nulGridComboBoxShow(grid, combo, 1, 2, fillTypes);
    combo.setItemIndex(0);
    grid.setCurrentCell(0, 1);  // the user clicked elsewhere before the list lost the focus
    EXPECT_TRUE(flgGridComboBoxHide(grid, combo, "Weighted"));
    EXPECT_EQ(grid.cell(1, 2), "Independent");
    EXPECT_EQ(grid.cell(0, 1), "Sales");
    EXPECT_FALSE(combo.visible());
    EXPECT_EQ(grid.colWidth(1),
              static_cast<int>(std::string("Independent  ").size()) * test::kCharWidth + 20);
    // The exit handler that follows the hide finds the list closed and writes nothing.
    grid.setCell(1, 2, "Weighted");
    EXPECT_FALSE(flgGridComboBoxHide(grid, combo, "Weighted"));
    EXPECT_EQ(grid.cell(1, 2), "Weighted");
}

TEST_F(GridComboBoxTest, KeysChooseEndsOrRestoreTheTextBeforeEditing) {
    nulGridComboBoxShow(grid, combo, 1, 2, fillTypes);
    const std::string before = "Weighted";

    nulGridComboBoxKeyDown(grid, combo, vk::Left, {}, before);
    EXPECT_EQ(combo.text(), "Independent");
    nulGridComboBoxKeyDown(grid, combo, vk::Right, {}, before);
    EXPECT_EQ(combo.text(), "Weighted");
    nulGridComboBoxKeyDown(grid, combo, 'A', {}, before);
    EXPECT_EQ(combo.text(), "Weighted");

    const int focusBefore = port.focusCount;
    nulGridComboBoxKeyDown(grid, combo, vk::Return, {}, before);
    EXPECT_EQ(port.focusCount, focusBefore + 1) << "Enter hands the focus back to the grid";
    EXPECT_TRUE(combo.visible()) << "the list's exit handler ends the edit";

    combo.setItemIndex(0);
    nulGridComboBoxKeyDown(grid, combo, vk::Escape, {}, before);
    EXPECT_EQ(grid.cell(1, 2), "Weighted");
    EXPECT_FALSE(combo.visible());
}

TEST_F(GridComboBoxTest, LeftAndRightOnAnEmptyListChooseNothing) {
    nulGridComboBoxShow(grid, combo, 1, 2, nullptr);
    nulGridComboBoxKeyDown(grid, combo, vk::Left, {}, "Weighted");
    nulGridComboBoxKeyDown(grid, combo, vk::Right, {}, "Weighted");
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_EQ(combo.text(), "Weighted");
}

}  // namespace
}  // namespace vantorell
