// The tree editor's moves: up and down among siblings, left and right between levels, with
// the shares that leave and join sibling groups and the working data of the new level.
#include "designer/frmMain/DimsCatsMoves.h"

#include <gtest/gtest.h>

#include "designer/frmMain/DimsCatsCommands.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/WorkingCopy.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

using Lines = std::vector<std::string>;
using Shares = std::vector<int>;
constexpr int kRevenue = 0;

class DimsCatsMovesTest : public ::testing::Test {
protected:
    void SetUp() override { e.loadSmallModel(); }

    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e{program.path()};
};

TEST_F(DimsCatsMovesTest, UpAndDownReorderSiblingsButNeverLeaveTheParent) {
    e.select("Product");
    tbnDimsCatsMoveUpClick(e);
    EXPECT_EQ(e.children(""), (Lines{"Product", "Region"})) << "dimensions change places";
    tbnDimsCatsMoveDownClick(e);
    EXPECT_EQ(e.children(""), (Lines{"Region", "Product"}));

    const Lines before = e.outline();
    // A first category does not move into the dimension above, nor a last one below.
    e.select("Product/Hardware");
    tbnDimsCatsMoveUpClick(e);
    e.select("Region/West");
    tbnDimsCatsMoveDownClick(e);
    e.select("Region");
    tbnDimsCatsMoveUpClick(e);
    EXPECT_EQ(e.outline(), before);

    e.select("Region/North");
    tbnDimsCatsMoveDownClick(e);
    EXPECT_EQ(e.children("Region"), (Lines{"South", "North", "West"}));
    EXPECT_EQ(e.shares("Region", kRevenue, false), (Shares{300000, 500000, 200000}));
    EXPECT_EQ(e.tvwDimsCats.selected(), e.node("Region/North"));
}

TEST_F(DimsCatsMovesTest, RightUnderAChildlessSiblingTakesTheWholeShareThere) {
    e.select("Region/South");
    tbnDimsCatsMoveRightClick(e);
    EXPECT_EQ(e.children("Region"), (Lines{"North", "West"}));
    EXPECT_EQ(e.children("Region/North"), Lines{"South"});
    EXPECT_EQ(e.shares("Region/North", kRevenue, false), Shares{1000000});
    EXPECT_EQ(e.shares("Region/North", kRevenue, true), Shares{1000000});
    EXPECT_TRUE(e.node("Region/North")->expanded());
    EXPECT_EQ(e.tvwDimsCats.selected(), e.node("Region/North/South"));
    EXPECT_TRUE(test::treeSharesBalanced(e)) << "North and West share South's part";
}

TEST_F(DimsCatsMovesTest, RightUnderAParentJoinsItsChildrenWithoutAShare) {
    e.select("Product/Services");
    tbnDimsCatsMoveRightClick(e);
    EXPECT_EQ(e.children("Product/Hardware"), (Lines{"Computers", "Phones", "Services"}));
    EXPECT_EQ(e.shares("Product/Hardware", kRevenue, false), (Shares{600000, 400000, 0}));
    EXPECT_EQ(e.shares("Product", kRevenue, false), Shares{1000000});
    EXPECT_TRUE(test::treeSharesBalanced(e));
}

TEST_F(DimsCatsMovesTest, ADimensionMovedRightBecomesACategoryWithDefaults) {
    e.select("Product");
    tbnDimsCatsMoveRightClick(e);
    EXPECT_EQ(e.children(""), Lines{"Region"});
    EXPECT_EQ(e.children("Region"), (Lines{"North", "South", "West", "Product"}));
    TreeNode* product = e.node("Region/Product");
    ASSERT_NE(nodeData(*product)->measureValues(), nullptr);
    EXPECT_EQ(nodeData(*product)->extDataSize(), 2u);
    EXPECT_EQ(product->imageIndex(), kCategoryImage);
    EXPECT_EQ(e.shares("Region", kRevenue, false), (Shares{500000, 300000, 200000, 0}));
    EXPECT_EQ(e.children("Region/Product"), (Lines{"Hardware", "Services"}));
    EXPECT_TRUE(test::treeSharesBalanced(e));
}

TEST_F(DimsCatsMovesTest, LeftPutsTheNodeRightAfterItsParent) {
    e.select("Product/Hardware/Computers");
    tbnDimsCatsMoveLeftClick(e);
    EXPECT_EQ(e.children("Product"), (Lines{"Hardware", "Computers", "Services"}));
    EXPECT_EQ(e.shares("Product", kRevenue, false), (Shares{750000, 0, 250000}));
    EXPECT_EQ(e.shares("Product/Hardware", kRevenue, true), Shares{1000000});
    EXPECT_EQ(e.children("Product/Computers"), (Lines{"Laptops", "Desktops"}));
    EXPECT_TRUE(test::treeSharesBalanced(e));

    // A last parent: the node goes to the end of the parent's group.
    e.select("Product/Services");
    tbnDimsCatsMoveLeftClick(e);
    EXPECT_EQ(e.children(""), (Lines{"Region", "Product", "Services"}));
    TreeNode* services = e.node("Services");
    ASSERT_NE(nodeData(*services)->irregularities(), nullptr) << "now a dimension";
    EXPECT_EQ(nodeData(*services)->extDataSize(), 2u);
    EXPECT_EQ(services->imageIndex(), kDimensionImage);
    EXPECT_TRUE(test::treeSharesBalanced(e));

    const Lines before = e.outline();
    e.select("Region");
    tbnDimsCatsMoveLeftClick(e);
    EXPECT_EQ(e.outline(), before);
}

TEST_F(DimsCatsMovesTest, AMoveThatWouldRepeatANameAmongSiblingsIsRefused) {
    std::string name = "Phones";
    e.tvwDimsCats.edited(*e.node("Product/Hardware/Computers/Laptops"), name);
    ASSERT_NE(e.node("Product/Hardware/Computers/Phones"), nullptr) << "other parents may";
    const Lines before = e.outline();
    messages.expect(
        "Sorry, the item (i.e. Phones) cannot be moved there: \rrow 10 (i.e. Phones) already "
        "has that name.");
    e.select("Product/Hardware/Computers/Phones");
    tbnDimsCatsMoveLeftClick(e);
    EXPECT_EQ(e.outline(), before);
}

TEST_F(DimsCatsMovesTest, NothingLeavesANameTheFileKeepsForParentsOnALeaf) {
    // A parent's name may begin with ">" in a file; a category without subcategories may not.
    ModelArrays model;
    model.dimensions = {test::dimension("Sites", "SIT")};
    model.categories = {test::category(">Group", "GRP", 1, 0), test::category("Leaf", "LF", 2, 0),
                        test::category("Other", "OTH", 1, 0)};
    ASSERT_TRUE(e.internalize(model));
    const Lines before = e.outline();
    const std::string refusal =
        "Sorry, the item (i.e. >Group) cannot be left without subcategories: \ra category "
        "without subcategories cannot have a name that begins with \">\". Rename it first.";
    messages.expect(refusal).expect(refusal);
    e.select("Sites/>Group/Leaf");
    tbnDimsCatsRemClick(e);
    tbnDimsCatsMoveLeftClick(e);
    EXPECT_EQ(e.outline(), before);

    e.select("Sites/Other");
    tbnDimsCatsMoveRightClick(e);
    EXPECT_EQ(e.children("Sites/>Group"), (Lines{"Leaf", "Other"}));
}

}  // namespace
}  // namespace vantorell
