// Row operations and emptiness of the string grid.
#include "designer/rtnGrids/GridRows.h"

#include <gtest/gtest.h>

namespace vantorell {
namespace {

// One heading row, no heading column, three columns, cleared.
struct HeadedGrid : StringGrid {
    HeadedGrid() {
        setFixedCols(0);
        setColCount(3);
        nulGridRowSet(*this, 0, 0, {"Name", "Code", "Type"});
        nulGridClear(*this);
    }
};

std::vector<std::string> column0(const StringGrid& grid) {
    std::vector<std::string> texts;
    for (int r = grid.fixedRows(); r < grid.rowCount(); ++r) {
        texts.push_back(grid.cell(0, r));
    }
    return texts;
}

TEST(GridRows, EmptinessComesFromTheDataRowsNotFromACell) {
    HeadedGrid grid;
    EXPECT_TRUE(flgGridIsEmpty(grid));
    nulGridRowAdd(grid, {"", "M1"});  // a row whose first cell is blank still holds data
    EXPECT_FALSE(flgGridIsEmpty(grid));
    EXPECT_EQ(grid.dataRowCount(), 1);
    grid.setCell(0, 1, "typed");
    grid.setCell(0, 1, "");
    EXPECT_FALSE(flgGridIsEmpty(grid));
}

TEST(GridRows, AddFillsTheBlankRowOfAnEmptyGridThenAppends) {
    HeadedGrid grid;
    nulGridRowAdd(grid, {"Sales", "S"});
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(0, 1), "Sales");
    nulGridRowAdd(grid, {"Cost", "C", "Independent", "0"});
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(column0(grid), (std::vector<std::string>{"Sales", "Cost"}));
    EXPECT_EQ(grid.colCount(), 4) << "a longer row of values widens the grid";
    EXPECT_EQ(grid.cell(3, 2), "0");
    EXPECT_EQ(grid.cell(0, 0), "Name");
}

TEST(GridRows, AddOnAnEmptyGridWithSeveralBlankRowsKeepsOneRow) {
    HeadedGrid grid;
    grid.setRowCount(5);
    ASSERT_TRUE(flgGridIsEmpty(grid));
    nulGridRowAdd(grid, {"Sales"});
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(0, 1), "Sales");
}

TEST(GridRows, InsertMovesTheCurrentRowDownAndActsAsAddOnAnEmptyGrid) {
    HeadedGrid grid;
    nulGridRowInsert(grid, 1, {"B"});
    EXPECT_EQ(column0(grid), (std::vector<std::string>{"B"}));
    nulGridRowAdd(grid, {"C"});
    nulGridRowInsert(grid, 1, {"A"});
    EXPECT_EQ(column0(grid), (std::vector<std::string>{"A", "B", "C"}));
    nulGridRowInsert(grid, 3, {"BC"});
    EXPECT_EQ(column0(grid), (std::vector<std::string>{"A", "B", "BC", "C"}));
    nulGridRowInsert(grid, 0, {"heading?"});
    EXPECT_EQ(grid.cell(0, 0), "Name") << "a heading row is never pushed down";
    EXPECT_EQ(grid.rowCount(), 5);
}

TEST(GridRows, DeleteBlanksTheLastRowAndIgnoresEmptyGridsAndHeadings) {
    HeadedGrid grid;
    nulGridRowAdd(grid, {"Sales", "S"});
    grid.includeOption(goEditing);
    grid.setEditorMode(true);
    nulGridRowDelete(grid, 1);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(0, 1), "");
    EXPECT_EQ(grid.cell(1, 1), "");
    EXPECT_TRUE(flgGridIsEmpty(grid));
    EXPECT_FALSE(grid.editorMode());
    EXPECT_FALSE(grid.hasOption(goEditing));

    grid.setRowCount(4);  // an empty grid showing several blank rows
    grid.setCell(1, 2, "left over");
    nulGridRowDelete(grid, 2);
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cell(1, 2), "left over");

    nulGridRowDelete(grid, 0);
    EXPECT_EQ(grid.cell(0, 0), "Name");
}

TEST(GridRows, DeleteMovesTheRowsBelowUp) {
    HeadedGrid grid;
    for (const char* name : {"A", "B", "C"}) {
        nulGridRowAdd(grid, {name});
    }
    nulGridRowDelete(grid, 2);
    EXPECT_EQ(column0(grid), (std::vector<std::string>{"A", "C"}));
    nulGridRowDelete(grid, 7);  // no such row
    EXPECT_EQ(column0(grid), (std::vector<std::string>{"A", "C"}));
    nulGridRowDelete(grid, 2);
    nulGridRowDelete(grid, 1);
    EXPECT_TRUE(flgGridIsEmpty(grid));
    EXPECT_EQ(grid.rowCount(), 2);
}

TEST(GridRows, SwapOnlyExchangesDataRows) {
    HeadedGrid grid;
    nulGridRowAdd(grid, {"A", "a"});
    nulGridRowAdd(grid, {"B", "b"});
    EXPECT_TRUE(flgGridRowsSwap(grid, 1, 2));
    EXPECT_EQ(column0(grid), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(grid.cell(1, 2), "a");
    EXPECT_FALSE(flgGridRowsSwap(grid, 0, 1));
    EXPECT_FALSE(flgGridRowsSwap(grid, 2, 3));
    EXPECT_EQ(grid.cell(0, 0), "Name");
    EXPECT_EQ(column0(grid), (std::vector<std::string>{"B", "A"}));
}

TEST(GridRows, ClearLeavesOneBlankDataRow) {
    HeadedGrid grid;
    for (int i = 0; i < 5; ++i) {
        nulGridRowAdd(grid, {"row" + std::to_string(i), "x"});
    }
    grid.setCurrentCell(1, 4);
    nulGridClear(grid);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_TRUE(flgGridIsEmpty(grid));
    EXPECT_EQ(grid.cell(0, 1), "");
    EXPECT_EQ(grid.cell(1, 1), "");
    EXPECT_EQ(grid.cell(0, 0), "Name");
    EXPECT_EQ(grid.row(), 1);
}

TEST(GridRows, RowSetWidensTheGridAndMarksADataRowAsHeld) {
    HeadedGrid grid;
    nulGridRowSet(grid, 2, 0, {"Type", "Pos. Total", "Neg. Total"});
    EXPECT_EQ(grid.colCount(), 5);
    EXPECT_EQ(grid.cell(4, 0), "Neg. Total");
    EXPECT_TRUE(flgGridIsEmpty(grid)) << "headings are no data";
    nulGridRowSet(grid, 0, 1, {"Sales"});
    EXPECT_FALSE(flgGridIsEmpty(grid));
}

}  // namespace
}  // namespace vantorell
