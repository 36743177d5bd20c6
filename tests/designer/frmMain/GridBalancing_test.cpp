// Balancing in the measure values grid: the other rows giving or taking one row's change,
// and a run of rows brought to a target.
#include "designer/frmMain/GridBalancing.h"

#include <gtest/gtest.h>

#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "tests/support/ShareEditors.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::ShareEditors;
using Shares = std::vector<std::string>;

void expectInRange(const Shares& shares) {
    for (const std::int64_t v : test::shareValues(shares)) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 1000000);
    }
}

// Row `row` (counted from the first data row) changes from what it holds by `change`; the
// text is written into it as the grid's handlers do.
std::int64_t balanceRow(ShareEditors& e, int row, std::int64_t change) {
    const int r = e.sgdMeasureValues.fixedRows() + row;
    const std::int64_t old = intMeasureValuesPercentGet(e.sgdMeasureValues, r);
    e.sgdMeasureValues.setCell(intMeasureValuesPercentColumn(e.sgdMeasureValues), r,
                               strGridBalanceOtherCellsTo100Percent(e, old, r, change));
    return change;
}

TEST(GridBalancingTest, OtherRowsGiveOrTakeTheChange) {
    struct Case {
        const char* what;
        Shares shares;
        int row;
        std::int64_t change;
        std::int64_t applied;
        Shares expected;
    };
    const Case cases[] = {
        // 25 % typed up to 40 %: the others give 150000, 10000 at a time, in turn.
        {"typed rise",
         {"250000", "400000", "350000"},
         0,
         150000,
         150000,
         {"400000", "320000", "280000"}},
        {"fall",
         {"250000", "400000", "350000"},
         1,
         -100000,
         -100000,
         {"300000", "300000", "400000"}},
        // A change of 5 goes to the row of its own magnitude, not to the large one.
        {"matching magnitude", {"500000", "499990", "10"}, 0, 5, 5, {"500005", "499990", "5"}},
        {"locked row kept",
         {"200000", "|300000", "500000"},
         0,
         100000,
         100000,
         {"300000", "|300000", "400000"}},
        // A rise is cut to what the other unlocked rows hold; a fall to the old share.
        {"rise cut",
         {"200000", "|300000", "500000"},
         0,
         600000,
         500000,
         {"700000", "|300000", "0"}},
        {"fall cut",
         {"200000", "|300000", "500000"},
         0,
         -300000,
         -200000,
         {"0", "|300000", "700000"}},
        {"locked row itself",
         {"|200000", "300000", "500000"},
         0,
         100000,
         0,
         {"|200000", "300000", "500000"}},
        {"one unlocked row",
         {"200000", "|300000", "|500000"},
         0,
         100000,
         0,
         {"200000", "|300000", "|500000"}},
        // Nobody can take what the row gives up: it keeps it, and the loop ends.
        {"blocked", {"|0", "1000000", "1000000"}, 2, -500000, 0, {"|0", "1000000", "1000000"}},
        {"no change", {"250000", "750000"}, 0, 0, 0, {"250000", "750000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShareEditors e(c.shares);
        EXPECT_EQ(balanceRow(e, c.row, c.change), c.applied);
        EXPECT_EQ(e.gridShares(), c.expected);
        expectInRange(e.gridShares());
    }
}

TEST(GridBalancingTest, TheNextBalancingStartsWhereTheLastOneStopped) {
    ShareEditors e({"250000", "400000", "350000"});
    EXPECT_EQ(e.intBalanceRow, 1);
    balanceRow(e, 0, 150000);
    // The last step came from row 2; row 3 is next in turn.
    EXPECT_EQ(e.intBalanceRow, 3);
    balanceRow(e, 0, 1);
    EXPECT_EQ(e.gridShares(), (Shares{"400001", "320000", "279999"}));
    EXPECT_EQ(e.intBalanceRow, 1);  // wrapped after the last row
    balanceRow(e, 0, 1);
    EXPECT_EQ(e.gridShares(), (Shares{"400002", "319999", "279999"}));

    // Loading the grid starts at the first data row again.
    e.load(false);
    EXPECT_EQ(e.intBalanceRow, 1);
}

TEST(GridBalancingTest, NothingMovesWhereNothingMayBeStored) {
    // A dimension shown: its single row reaches nothing.
    ShareEditors dimension({"250000", "750000"});
    dimension.tvwDimsCats.setSelected(dimension.dimension);
    dimension.load(false);
    ASSERT_EQ(dimension.gridShares(), (Shares{"1000000"}));
    std::int64_t change = -10;
    EXPECT_EQ(strGridBalanceOtherCellsTo100Percent(dimension, 1000000, 1, change), "1000000");
    EXPECT_EQ(change, 0);

    // A weighted measure.
    ShareEditors weighted({"250000", "750000"});
    weighted.sgdMeasures.setCell(kMeasuresType, 1, kMeasureTypeTexts[kMeasureTypeWeighted]);
    change = 10;
    EXPECT_EQ(strGridBalanceOtherCellsTo100Percent(weighted, 250000, 1, change), "250000");
    EXPECT_EQ(change, 0);
    EXPECT_EQ(weighted.gridShares(), (Shares{"250000", "750000"}));
}

TEST(GridBalancingTest, ARunReachesItsTargetAroundLockedRows) {
    test::TestMessages messages;
    ShareEditors e({"333333", "|100000", "333333", "3"});
    e.intBalanceRow = 3;
    nulGridMeasureValuesBalanceToNPercent(e, 1, 4, false, 1000000);
    EXPECT_EQ(e.intBalanceRow, 1);
    const Shares shares = e.gridShares();
    EXPECT_EQ(shares[1], "|100000");
    EXPECT_EQ(test::shareSum(shares), 1000000);

    // From the end, a tenth of a share at a time: the last row moves first.
    ShareEditors level({"333333", "333333", "333333"});
    nulGridMeasureValuesBalanceToNPercent(level, 1, 3, true, 1000000);
    EXPECT_EQ(level.gridShares(), (Shares{"333333", "333333", "333334"}));

    // Shares too small for a tenth still move, one at a time.
    ShareEditors small({"0", "0", "5"});
    nulGridMeasureValuesBalanceToNPercent(small, 1, 3, false, 1000000);
    EXPECT_EQ(test::shareSum(small.gridShares()), 1000000);
    expectInRange(small.gridShares());
}

TEST(GridBalancingTest, ARunThatLocksKeepFromItsTargetStopsAndSaysSo) {
    test::TestMessages messages;
    messages.expect("The percent bars where not properly balanced to 500000 percent.");
    ShareEditors e({"|300000", "|300000", "400000"});
    nulGridMeasureValuesBalanceToNPercent(e, 1, 2, false, 500000);
    EXPECT_EQ(e.gridShares(), (Shares{"|300000", "|300000", "400000"}));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Balancing Percentages");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace vantorell
