// Percentage cells set by the mouse and stepped by Alt with the arrow keys, with balancing
// in the measure values grid and without it in a grid like the measures grid.
#include "designer/frmMain/PercentInput.h"

#include <gtest/gtest.h>

#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/rtnGrids/GridNumericEdit.h"
#include "designer/rtnGrids/GridRows.h"
#include "tests/support/GridFakes.h"
#include "tests/support/ShareEditors.h"

namespace vantorell {
namespace {

using test::ShareEditors;
using Shares = std::vector<std::string>;

constexpr int kPercentCol = 2;
constexpr ShiftState kAlt{false, true, false, false};

// The measure values grid on a view whose "Percent" cells are 204 pixels wide (200 usable).
struct ValuesOnView {
    explicit ValuesOnView(const Shares& shares) : e(shares), port(e.sgdMeasureValues) {
        e.sgdMeasureValues.setColWidth(kPercentCol, 204);
    }
    int left() const { return port.cellRect(kPercentCol, 1).left; }

    ShareEditors e;
    test::FakeGridPort port;
};

// A grid with a percentage column of whole percents, like the measures grid.
struct PlainGrid {
    PlainGrid() : port(grid) {
        grid.setColCount(3);
        nulGridRowSet(grid, 0, 0, {"Name", "Global Percentage", "Code"});
        nulGridRowAdd(grid, {"Sales", "50", "S"});
        nulGridRowAdd(grid, {"Cost", "", "C"});
        grid.setColWidth(1, 204);
        grid.setCurrentCell(1, 1);
    }
    int left() const { return port.cellRect(1, 1).left; }

    EditorState e;
    StringGrid grid;
    test::FakeGridPort port;
};

TEST(PercentInputTest, TheMousePositionSnapsToTheScale) {
    ValuesOnView v({"0", "1000000"});
    const StringGrid& g = v.e.sgdMeasureValues;
    const int left = v.left();
    struct Case {
        double scale;
        int x;
        double delta;
    };
    const Case cases[] = {
        {100, 50, 250000},                         // a quarter of the usable width is 25 %
        {100, 51, 250000},                         // whole percents
        {100, 200, 1000000}, {100, 203, 1000000},  // past the usable width: full scale
        {100, -10, 0},                             // left of the cell: 0
        {1, 50, 2500},                             // the whole cell is 1 %, steps of 0.01 %
        {1, 51, 2500},       {1, 53, 2600},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(dblGridBarDeltaFromMouse(g, kPercentCol, 1, c.scale, 10000, left + c.x),
                         c.delta)
            << c.scale << " " << c.x;
    }
    // Against the cell's value.
    EXPECT_DOUBLE_EQ(dblGridBarDeltaFromMouse(g, kPercentCol, 2, 100, 10000, left + 50), -750000);
    // Heading cells.
    EXPECT_EQ(dblGridBarDeltaFromMouse(g, kPercentCol, 0, 100, 10000, left + 50), -1);
    EXPECT_EQ(dblGridBarDeltaFromMouse(g, 0, 1, 100, 10000, 50), -1);
}

TEST(PercentInputTest, DraggingABarBalancesTheOtherRows) {
    ValuesOnView v({"500000", "250000", "|100000", "150000"});
    ShareEditors& e = v.e;
    EXPECT_EQ(nulGridBarSetFromMouse(e, e.sgdMeasureValues, kPercentCol, 1, true, 100, 10000,
                                     v.left() + 50),
              -250000);
    Shares shares = e.gridShares();
    EXPECT_EQ(shares[0], "250000");
    EXPECT_EQ(shares[2], "|100000");
    EXPECT_EQ(test::shareSum(shares), 1000000);

    // Asking for more than the other unlocked rows hold gives what they hold.
    EXPECT_EQ(nulGridBarSetFromMouse(e, e.sgdMeasureValues, kPercentCol, 1, true, 100, 10000,
                                     v.left() + 200),
              650000);
    EXPECT_EQ(e.gridShares(), (Shares{"900000", "0", "|100000", "0"}));

    // A locked row stays.
    EXPECT_EQ(
        nulGridBarSetFromMouse(e, e.sgdMeasureValues, kPercentCol, 3, true, 100, 10000, v.left()),
        0);
    EXPECT_EQ(e.gridShares(), (Shares{"900000", "0", "|100000", "0"}));
}

TEST(PercentInputTest, DraggingWithoutBalancingSetsTheCellAlone) {
    PlainGrid p;
    EXPECT_EQ(nulGridBarSetFromMouse(p.e, p.grid, 1, 1, false, 100, 1, p.left() + 150), 25);
    EXPECT_EQ(p.grid.cell(1, 1), "75");
    // A cell that holds no text is left alone.
    EXPECT_EQ(nulGridBarSetFromMouse(p.e, p.grid, 1, 2, false, 100, 1, p.left() + 150), 0);
    EXPECT_EQ(p.grid.cell(1, 2), "");
}

TEST(PercentInputTest, AltArrowKeysWithoutBalancing) {
    struct Case {
        const char* value;
        int key;
        const char* expected;
    };
    const Case cases[] = {
        {"50", vk::Left, "49"}, {"50", vk::Right, "51"}, {"50", vk::Up, "100"},
        {"50", vk::Down, "0"},  {"0", vk::Left, "0"},    {"100", vk::Right, "100"},
    };
    for (const Case& c : cases) {
        PlainGrid p;
        p.grid.setCell(1, 1, c.value);
        int key = c.key;
        nulGridPercentKeyDown(p.e, p.grid, key, kAlt, 100, 1, false);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(p.grid.cell(1, 1), c.expected) << c.value << " " << c.key;
    }

    PlainGrid p;
    // Without Alt the key is the grid's.
    int key = vk::Up;
    nulGridPercentKeyDown(p.e, p.grid, key, ShiftState{}, 100, 1, false);
    EXPECT_EQ(key, vk::Up);
    // In another column it is consumed and changes nothing.
    p.grid.setCurrentCell(2, 1);
    key = vk::Up;
    nulGridPercentKeyDown(p.e, p.grid, key, kAlt, 100, 1, false);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(p.grid.cell(2, 1), "S");
    EXPECT_EQ(p.grid.cell(1, 1), "50");

    // While the cell is edited the edit ends instead.
    p.grid.setCurrentCell(1, 1);
    nulGridNumericEditStart(p.grid, true, U'1', p.e.strCellPreviousText);
    p.grid.setCell(1, 1, "120.5");
    key = vk::Left;
    nulGridPercentKeyDown(p.e, p.grid, key, kAlt, 100, 1, false);
    EXPECT_EQ(key, 0);
    EXPECT_FALSE(p.grid.editorMode());
    EXPECT_EQ(p.grid.cell(1, 1), "100");
}

TEST(PercentInputTest, AltArrowKeysWithBalancing) {
    struct Case {
        int key;
        Shares expected;
    };
    const Case cases[] = {
        {vk::Up, {"1000000", "0", "|0", "0"}},
        {vk::Down, {"0", "580000", "|0", "420000"}},
        {vk::Left, {"249999", "450001", "|0", "300000"}},
        {vk::Right, {"250001", "449999", "|0", "300000"}},
    };
    for (const Case& c : cases) {
        ShareEditors e({"250000", "450000", "|0", "300000"});
        e.sgdMeasureValues.setCurrentCell(kPercentCol, 1);
        int key = c.key;
        nulGridPercentKeyDown(e, e.sgdMeasureValues, key, kAlt, 1000000, 10000, true);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(e.gridShares(), c.expected) << c.key;
    }

    // A locked row does not move.
    ShareEditors locked({"|250000", "450000", "300000"});
    locked.sgdMeasureValues.setCurrentCell(kPercentCol, 1);
    int key = vk::Up;
    nulGridPercentKeyDown(locked, locked.sgdMeasureValues, key, kAlt, 1000000, 10000, true);
    EXPECT_EQ(locked.gridShares(), (Shares{"|250000", "450000", "300000"}));

    // A typed 40 % ends its edit through the entry check: the others give 150000.
    ShareEditors typed({"250000", "400000", "350000"});
    StringGrid& g = typed.sgdMeasureValues;
    g.setCurrentCell(kPercentCol, 1);
    nulGridNumericEditStart(g, true, U'4', typed.strCellPreviousText);
    g.setCell(kPercentCol, 1, "40");
    key = vk::Down;
    nulGridPercentKeyDown(typed, g, key, kAlt, 1000000, 10000, true);
    EXPECT_EQ(typed.gridShares(), (Shares{"400000", "320000", "280000"}));
}

}  // namespace
}  // namespace vantorell
