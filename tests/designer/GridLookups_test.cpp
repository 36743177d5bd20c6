// Finding rows and columns, unique values, replacing, column arrays and column widths.
#include "designer/rtnGrids/GridLookups.h"

#include <gtest/gtest.h>

#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"
#include "tests/support/GridFakes.h"

namespace vantorell {
namespace {

using test::kCharWidth;

// The measures grid's first columns: one heading row, no heading column.
struct MeasuresGrid : StringGrid {
    MeasuresGrid() {
        setFixedCols(0);
        setColCount(3);
        nulGridRowSet(*this, 0, 0, {"Name", " Type  ", "Source Measure"});
        nulGridClear(*this);
    }
};

TEST(GridLookups, HeadingIsFoundWithoutTheBlanksOfTheCellButNotOfTheArgument) {
    MeasuresGrid grid;
    EXPECT_EQ(intGridColumnIndexGetByHeading(grid, "Type"), 1);
    EXPECT_EQ(intGridColumnIndexGetByHeading(grid, "Name"), 0);
    EXPECT_EQ(intGridColumnIndexGetByHeading(grid, " Type"), -1);
    EXPECT_EQ(intGridColumnIndexGetByHeading(grid, "type"), -1);
    EXPECT_EQ(intGridColumnIndexGetByHeading(grid, "Percent"), -1);
}

TEST(GridLookups, UniqueValueTakesTheSmallestFreeNumber) {
    MeasuresGrid grid;
    EXPECT_EQ(strGridColumnUniqueValue(grid, 0, "Measure "), "Measure 1");
    nulGridRowAdd(grid, {"Measure 1"});
    nulGridRowAdd(grid, {"Measure 3"});
    nulGridRowAdd(grid, {"Measure 02"});  // not prefix + 2
    nulGridRowAdd(grid, {"measure 2"});
    EXPECT_EQ(strGridColumnUniqueValue(grid, 0, "Measure "), "Measure 2");
    nulGridRowAdd(grid, {"Measure 2"});
    EXPECT_EQ(strGridColumnUniqueValue(grid, 0, "Measure "), "Measure 4");
    EXPECT_EQ(strGridColumnUniqueValue(grid, 1, "MEAS"), "MEAS1");
}

TEST(GridLookups, FindSearchesDataRowsOnly) {
    MeasuresGrid grid;
    EXPECT_EQ(intGridRowFind(grid, 0, ""), -1) << "the blank row of an empty grid is no data";
    nulGridRowAdd(grid, {"Sales", "Independent"});
    nulGridRowAdd(grid, {"Name", "Weighted", "Sales"});
    nulGridRowAdd(grid, {"Sales", "Independent"});
    EXPECT_EQ(intGridRowFind(grid, 0, "Sales"), 1);
    EXPECT_EQ(intGridRowFind(grid, 0, "sales"), -1);
    EXPECT_EQ(intGridRowFindOther(grid, 0, "Sales", 1), 3);
    EXPECT_EQ(intGridRowFindOther(grid, 0, "Name", 2), -1);
    // A measure named like the heading is found in its data row, not in the heading.
    EXPECT_EQ(intGridRowFindAll(grid, 0, "Name"), 2);
    EXPECT_EQ(intGridRowFindAll(grid, 0, "Cost"), -1);
}

TEST(GridLookups, ReplaceChangesMatchingCellsInsideTheRectangleOnly) {
    MeasuresGrid grid;
    nulGridRowAdd(grid, {"North", "x", "North"});
    nulGridRowAdd(grid, {"South", "x", "North"});
    nulGridCellsReplace(grid, 2, 2, 1, 99, "North", "Region");
    EXPECT_EQ(grid.cell(2, 1), "Region");
    EXPECT_EQ(grid.cell(2, 2), "Region");
    EXPECT_EQ(grid.cell(0, 1), "North");
    nulGridCellsReplace(grid, -3, 5, 1, 1, "x", "y");
    EXPECT_EQ(grid.cell(1, 1), "y");
    EXPECT_EQ(grid.cell(1, 2), "x");
}

TEST(GridLookups, ColumnToStringArrayTakesTheDataCells) {
    MeasuresGrid grid;
    TDynamicArrayOfStrings texts{"stale"};
    EXPECT_EQ(intGridColumnToStringArray(grid, 0, texts), 0);
    EXPECT_TRUE(texts.empty());
    nulGridRowAdd(grid, {"250000"});
    nulGridRowAdd(grid, {"|750000"});
    EXPECT_EQ(intGridColumnToStringArray(grid, 0, texts), 2);
    EXPECT_EQ(texts, (TDynamicArrayOfStrings{"250000", "|750000"}));
}

TEST(GridSizing, WidthsComeFromTheWidestTextIncludingHeadings) {
    MeasuresGrid grid;
    test::FakeGridPort port(grid);
    nulGridRowAdd(grid, {"Sales", "Independent", "A"});
    nulGridRowAdd(grid, {"Units sold", "Weighted", ""});

    EXPECT_EQ(intGridColumnAutoSize(grid, 0), 10 * kCharWidth + 30);
    EXPECT_EQ(grid.colWidth(0), 10 * kCharWidth + 30);
    EXPECT_EQ(intGridColumnTextWidth(grid, 1), 13 * kCharWidth) << "\"Independent\" and two blanks";
    EXPECT_EQ(intGridColumnTextWidth(grid, 2), 16 * kCharWidth) << "the heading is the widest";

    nulGridColumnsWidthSet(grid, 1, 2, 20);
    EXPECT_EQ(grid.colWidth(0), 10 * kCharWidth + 30);
    EXPECT_EQ(grid.colWidth(1), 13 * kCharWidth + 20);
    EXPECT_EQ(grid.colWidth(2), 16 * kCharWidth + 20);
}

}  // namespace
}  // namespace vantorell
