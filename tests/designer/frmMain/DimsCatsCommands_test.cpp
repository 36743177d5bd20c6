// The tree editor's commands that add, insert, remove, expand and collapse nodes, over the
// editors' working copy.
#include "designer/frmMain/DimsCatsCommands.h"

#include <gtest/gtest.h>

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/WorkingCopy.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

using Lines = std::vector<std::string>;
using Shares = std::vector<int>;
constexpr int kRevenue = 0;
constexpr int kUnits = 1;

class DimsCatsCommandsTest : public ::testing::Test {
protected:
    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e{program.path()};
};

TEST_F(DimsCatsCommandsTest, EveryAddOnAnEmptyTreeMakesTheFirstDimension) {
    for (const auto command :
         {tbnDimsCatsAddSiblingClick, tbnDimsCatsAddChildClick, tblDimsCatsInsertSiblingClick}) {
        test::TreeEditors empty(program.path());
        command(empty);
        EXPECT_EQ(empty.outline(), Lines{"Dimension 1 DIM"});
        TreeNode* added = empty.tvwDimsCats.getFirstNode();
        EXPECT_EQ(empty.tvwDimsCats.selected(), added);
        EXPECT_EQ(empty.port.edited, added) << "the new name goes into editing";
        EXPECT_EQ(added->imageIndex(), kDimensionImage);
        EXPECT_EQ(added->selectedIndex(), kDimensionSelectedImage);
        // One working element while the measures grid shows only its blank row.
        ASSERT_NE(nodeData(*added)->irregularities(), nullptr);
        EXPECT_EQ(nodeData(*added)->extDataSize(), 1u);
    }
}

TEST_F(DimsCatsCommandsTest, NewNodesGetNumberedNamesAndCodesAndTheirPlaceBesideTheSelection) {
    intMeasuresAddRow(e, false);
    tbnDimsCatsAddSiblingClick(e);
    tbnDimsCatsAddSiblingClick(e);
    tbnDimsCatsAddChildClick(e);  // under Dimension 2, now selected
    EXPECT_EQ(e.outline(), (Lines{"Dimension 1 DIM", "Dimension 2 DIM1", "  Category 1 CAT"}));
    EXPECT_EQ(e.shares("Dimension 2", kRevenue, false), Shares{1000000});
    EXPECT_TRUE(e.node("Dimension 2")->expanded());
    EXPECT_EQ(e.node("Dimension 2/Category 1")->imageIndex(), kCategoryImage);

    tbnDimsCatsAddSiblingClick(e);  // after Category 1
    // Default names are unique over every node of the kind, not only among siblings.
    e.select("Dimension 1");
    tbnDimsCatsAddChildClick(e);
    // Add sibling goes right after the selected node, Insert sibling right before it.
    e.select("Dimension 1");
    tbnDimsCatsAddSiblingClick(e);
    e.select("Dimension 2/Category 2");
    tblDimsCatsInsertSiblingClick(e);
    EXPECT_EQ(e.outline(),
              (Lines{"Dimension 1 DIM", "  Category 3 CAT2", "Dimension 3 DIM2", "Dimension 2 DIM1",
                     "  Category 1 CAT", "  Category 4 CAT3", "  Category 2 CAT1"}));
    EXPECT_EQ(e.tvwDimsCats.selected(), e.node("Dimension 2/Category 4"));
    EXPECT_EQ(e.port.edited, e.node("Dimension 2/Category 4"));
    // Later siblings join with no share, so every group keeps its 100 %.
    EXPECT_EQ(e.shares("Dimension 2", kRevenue, true), (Shares{1000000, 0, 0}));
    EXPECT_TRUE(test::treeSharesBalanced(e));
}

TEST_F(DimsCatsCommandsTest, WithoutASelectedNodeAddsMakeALastDimensionAndTheRestDoNothing) {
    e.loadSmallModel();
    const Lines before = e.outline();
    tbnDimsCatsRemClick(e);
    EXPECT_EQ(e.outline(), before);
    EXPECT_EQ(nulDimsCatsSetButtonState(e.tvwDimsCats), (DimsCatsButtonState{false, true}));

    tbnDimsCatsAddChildClick(e);
    EXPECT_EQ(e.children(""), (Lines{"Region", "Product", "Dimension 1"}));
    ASSERT_NE(nodeData(*e.node("Dimension 1"))->irregularities(), nullptr);
    EXPECT_EQ(nodeData(*e.node("Dimension 1"))->extDataSize(), 2u) << "one per measure";
    EXPECT_EQ(nulDimsCatsSetButtonState(e.tvwDimsCats), (DimsCatsButtonState{true, true}));
}

TEST_F(DimsCatsCommandsTest, ButtonStatesFollowTheNodesAndTheSelection) {
    EXPECT_EQ(nulDimsCatsSetButtonState(e.tvwDimsCats), (DimsCatsButtonState{false, false}));
    e.loadSmallModel();
    EXPECT_EQ(nulDimsCatsSetButtonState(e.tvwDimsCats), (DimsCatsButtonState{false, true}));
    e.select("Product/Services");
    EXPECT_EQ(nulDimsCatsSetButtonState(e.tvwDimsCats), (DimsCatsButtonState{true, true}));
}

TEST_F(DimsCatsCommandsTest, ARemovedCategoryHandsItsSharesToItsSiblingsOnBothSigns) {
    e.loadSmallModel();
    e.select("Region/South");  // 300000 positive, 800000 negative
    tbnDimsCatsRemClick(e);
    EXPECT_EQ(e.children("Region"), (Lines{"North", "West"}));
    EXPECT_TRUE(test::treeSharesBalanced(e));
    EXPECT_EQ(e.tvwDimsCats.selected(), e.node("Region/West")) << "the node that followed";

    // West has nothing after it in its group: the next visible node follows it.
    tbnDimsCatsRemClick(e);
    EXPECT_EQ(e.shares("Region", kRevenue, false), Shares{1000000});
    EXPECT_EQ(e.shares("Region", kRevenue, true), Shares{1000000});
    EXPECT_EQ(e.tvwDimsCats.selected(), e.node("Product"));
}

TEST_F(DimsCatsCommandsTest, ARemovedParentGoesWithItsSubtreeAndItsGroupStaysWhole) {
    e.loadSmallModel();
    const TMeasureValuesWorksetItem ratios = *measureValueItem(*e.node("Product/Services"), kUnits);
    e.select("Product/Hardware");
    EXPECT_EQ(fneDimsCatsDeleteNodes(e), e.node("Product/Services"));
    EXPECT_EQ(e.outline(), (Lines{"Region REG", "  North N", "  South S", "  West W", "Product PRD",
                                  "  Services SRV"}));
    EXPECT_EQ(e.tvwDimsCats.count(), 6);
    EXPECT_EQ(e.shares("Product", kRevenue, false), Shares{1000000});
    EXPECT_EQ(e.shares("Product", kRevenue, true), Shares{1000000});
    EXPECT_EQ(*measureValueItem(*e.node("Product/Services"), kUnits), ratios)
        << "a weighted measure's ratios are no shares";
    EXPECT_TRUE(test::treeSharesBalanced(e));
}

TEST_F(DimsCatsCommandsTest, LockedSiblingsTakeWhatNoUnlockedOneCan) {
    e.loadSmallModel();
    for (const char* locked : {"Region/North", "Region/West"}) {
        measureValueItem(*e.node(locked), kRevenue)->flgLocked = true;
    }
    e.select("Region/South");
    tbnDimsCatsRemClick(e);
    EXPECT_EQ(e.shares("Region", kRevenue, false), (Shares{800000, 200000}));
    EXPECT_EQ(e.shares("Region", kRevenue, true), (Shares{1000000, 0}));
}

TEST_F(DimsCatsCommandsTest, RemovingTheLastNodesEmptiesTheTree) {
    intMeasuresAddRow(e, false);
    tbnDimsCatsAddSiblingClick(e);
    tbnDimsCatsAddChildClick(e);
    e.select("Dimension 1");
    EXPECT_EQ(fneDimsCatsDeleteNodes(e), nullptr);
    EXPECT_EQ(e.tvwDimsCats.count(), 0);
    EXPECT_EQ(e.tvwDimsCats.selected(), nullptr);
    EXPECT_EQ(e.lvwDimsCats.count(), 0);
    EXPECT_EQ(nulDimsCatsSetButtonState(e.tvwDimsCats), (DimsCatsButtonState{false, false}));
}

TEST_F(DimsCatsCommandsTest, StaleGridRowsNeverReachTheTreeAfterACommand) {
    e.loadSmallModel();
    e.select("Region/South");
    // The measure values grid shows Region's group; the command must not let it be stored
    // back over the shares its siblings took.
    e.lstMeasureValuesNodes = {nodeData(*e.node("Region/North")), nodeData(*e.node("Region/South")),
                               nodeData(*e.node("Region/West"))};
    tbnDimsCatsRemClick(e);
    // The grid shows the group as it is now: North and West, West selected.
    EXPECT_EQ(e.lstMeasureValuesNodes,
              (std::vector<TDimsCatsData*>{nodeData(*e.node("Region/North")),
                                           nodeData(*e.node("Region/West"))}));
    EXPECT_TRUE(test::treeSharesBalanced(e));

    int chosen = 0;
    e.measureValuesAndIrregularitiesPanelsSet = [&] { ++chosen; };
    e.select("Region/North");
    tbnDimsCatsRemClick(e);
    EXPECT_EQ(chosen, 1) << "the lower editors show the selection again";
}

TEST_F(DimsCatsCommandsTest, ExpandAndCollapseAllShowEveryCodeOrTheDimensionsOnly) {
    e.loadSmallModel();
    tbnDimsCatsExpandAllClick(e);
    EXPECT_EQ(e.lvwDimsCats.count(), 11);
    EXPECT_EQ(e.lvwDimsCats.items()[4].caption, "PRD");
    EXPECT_EQ(e.lvwDimsCats.items()[4].node, e.node("Product"));
    tbnDimsCatsCollapseAllClick(e);
    ASSERT_EQ(e.lvwDimsCats.count(), 2);
    EXPECT_EQ(e.lvwDimsCats.items()[1].caption, "PRD");
    for (TreeNode* n = e.tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
        EXPECT_FALSE(n->expanded()) << n->text();
    }
}

}  // namespace
}  // namespace vantorell
