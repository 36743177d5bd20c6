// Balancing in the tree: a category's share changes and its siblings give or take it, on
// the positive and the negative side alike.
#include "designer/frmMain/SiblingBalancing.h"

#include <gtest/gtest.h>

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "tests/support/ShareEditors.h"

namespace vantorell {
namespace {

using test::ShareEditors;
using Shares = std::vector<std::string>;

TEST(SiblingBalancingTest, SiblingsGiveOrTakeTheNodesChange) {
    struct Case {
        const char* what;
        Shares shares;
        int node;
        std::int64_t delta;
        bool taken;
        Shares expected;
    };
    const Case cases[] = {
        {"rise", {"250000", "400000", "350000"}, 0, 150000, true, {"400000", "320000", "280000"}},
        {"fall", {"250000", "400000", "350000"}, 1, -100000, true, {"300000", "300000", "400000"}},
        {"matching magnitude", {"500000", "499990", "10"}, 0, 5, true, {"500005", "499990", "5"}},
        {"locked sibling kept",
         {"|300000", "200000", "500000"},
         1,
         100000,
         true,
         {"|300000", "300000", "400000"}},
        {"last millionth", {"1", "999999"}, 0, -1, true, {"0", "1000000"}},
        // A sibling of a group above 100 % takes only up to 100 %.
        {"taken up to 100 %", {"20000", "995000"}, 0, -20000, false, {"0", "1000000"}},
        // The node changes all the same when its siblings can't follow.
        {"all locked",
         {"500000", "|250000", "|250000"},
         0,
         -100000,
         false,
         {"400000", "|250000", "|250000"}},
        {"only child", {"0"}, 0, 1000000, false, {"1000000"}},
        {"no change", {"250000", "750000"}, 0, 0, true, {"250000", "750000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool negative : {false, true}) {
            ShareEditors e(c.shares);
            EXPECT_EQ(flgArrSiblingsBalanceTo100Percent(
                          e, *e.categories[static_cast<std::size_t>(c.node)], negative, c.delta, 0),
                      c.taken);
            EXPECT_EQ(e.nodeShares(negative), c.expected);
            EXPECT_EQ(e.nodeShares(!negative), c.shares);  // the other side stays as it was
        }
    }
}

TEST(SiblingBalancingTest, SettingANodesShareBalancesBothSides) {
    // Removing a category hands its share to its siblings, positive and negative apart,
    // whichever sign the grid shows.
    ShareEditors e({"200000", "300000", "|500000"}, {"600000", "400000", "0"});
    EXPECT_TRUE(flgNodePercentValueSet(e, *e.categories[0], 0));
    EXPECT_EQ(e.nodeShares(false), (Shares{"0", "500000", "|500000"}));
    EXPECT_EQ(e.nodeShares(true), (Shares{"0", "1000000", "|0"}));

    // A category moved under a childless sibling becomes its only child with 100 %.
    TreeNode& moved = *e.categories[1];
    moved.moveTo(e.categories[0], NodeAttachMode::AddChild);
    EXPECT_TRUE(flgNodePercentValueSet(e, moved, 1000000));
    EXPECT_EQ(measureValueItem(moved, 0)->intPercentage, 1000000);
    EXPECT_EQ(measureValueItem(moved, 0)->intNegPercentage, 1000000);

    // Dimensions and weighted measures are left alone.
    EXPECT_FALSE(flgNodePercentValueSet(e, *e.dimension, 0));
    e.sgdMeasures.setCell(kMeasuresType, 1, kMeasureTypeTexts[kMeasureTypeWeighted]);
    EXPECT_FALSE(flgNodePercentValueSet(e, *e.categories[2], 0));
    EXPECT_EQ(measureValueItem(*e.categories[2], 0)->intPercentage, 500000);
}

TEST(SiblingBalancingTest, EachIndependentMeasureIsBalancedOnItsOwn) {
    ShareEditors e({"600000", "400000"});
    intMeasuresAddRow(e, false);  // the new measure gives the first category 100 %
    ASSERT_EQ(measureValueItem(*e.categories[0], 1)->intPercentage, 1000000);
    flgNodePercentValueSet(e, *e.categories[0], 250000);
    EXPECT_EQ(e.nodeShares(false), (Shares{"250000", "750000"}));
    EXPECT_EQ(measureValueItem(*e.categories[0], 1)->intPercentage, 250000);
    EXPECT_EQ(measureValueItem(*e.categories[1], 1)->intPercentage, 750000);
}

TEST(SiblingBalancingTest, SharesOfTheGroupAsTexts) {
    ShareEditors e({"250000", "|250000", "500000"}, {"1000000", "0", "0"});
    TDynamicArrayOfStrings texts;
    EXPECT_EQ(intArrSiblingsPercentagesGet(*e.categories[2], false, texts, 0), 3);
    EXPECT_EQ(texts, (Shares{"250000", "|250000", "500000"}));
    intArrSiblingsPercentagesGet(*e.categories[0], true, texts, 0);
    EXPECT_EQ(texts, (Shares{"1000000", "|0", "0"}));
}

}  // namespace
}  // namespace vantorell
