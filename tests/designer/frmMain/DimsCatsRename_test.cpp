// Names and codes edited in place in the tree and the code list: what is stored, what is
// refused with which message, and the measures that follow a dimension's new name.
#include "designer/frmMain/DimsCatsRename.h"

#include <gtest/gtest.h>

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/DimsCatsCommands.h"
#include "designer/frmMain/DimsCatsNames.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

const std::string kSeventyNine(79, 'a');

struct EditCase {
    const char* path;
    std::string entered;
    std::string stored;
    std::string message;  // empty: none
};

class DimsCatsRenameTest : public ::testing::TestWithParam<EditCase> {
protected:
    void SetUp() override { e.loadSmallModel(); }

    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e{program.path()};
};

TEST_P(DimsCatsRenameTest, ANameIsStoredOrRefused) {
    const EditCase& c = GetParam();
    if (!c.message.empty()) {
        messages.expect(c.message);
    }
    TreeNode* node = e.node(c.path);
    ASSERT_NE(node, nullptr);
    // The way the tree view hands an ended edit back.
    e.tvwDimsCats.edited(*node, c.entered);
    EXPECT_EQ(node->text(), c.stored);
    EXPECT_EQ(messages.pending(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DimsCatsRenameTest,
    ::testing::Values(
        EditCase{"Region/North", "Nord", "Nord", ""},
        EditCase{"Region/North", "New  York", "New  York", ""},
        EditCase{"Region/North", "North", "North", ""},
        // Unique among siblings is enough.
        EditCase{"Region/North", "Hardware", "Hardware", ""},
        EditCase{"Region/North", "South", "North",
                 "Sorry, the value entered (i.e. South), \ris already being used by row 3 (i.e. "
                 "South)."},
        EditCase{"Product", "Region", "Product",
                 "Sorry, the value entered (i.e. Region), \ris already being used by row 1 (i.e. "
                 "Region)."},
        EditCase{"Region/North", "", "North", kValueRequiredMessage},
        EditCase{"Region/North", " \t \xC2\xA0", "North", kValueRequiredMessage},
        // 81 bytes: cut to 80 at a character boundary, so the two-byte letter goes whole.
        EditCase{"Region/North", kSeventyNine + "\xC3\xA9", kSeventyNine, ""},
        EditCase{"Region/North", "<North>", "North", "Sorry, a name cannot begin with \"<\"."},
        EditCase{"Region/North", ">North", "North", "Sorry, a name cannot begin with \">\"."},
        EditCase{"Product", "*", "Product", "Sorry, a name cannot be \"*\" alone."},
        EditCase{"Region/North", "North\nEast", "North", "Sorry, a name cannot hold a line break."},
        EditCase{"Region/North", "North\rEast", "North",
                 "Sorry, a name cannot hold a line break."}));

TEST(DimsCatsWeightingTest, ADimensionsNewNameFollowsIntoTheWeightingDimensions) {
    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e(program.path());
    e.loadSmallModel();
    const int units = e.sgdMeasures.fixedRows() + 1;
    std::string name = "Goods";
    e.tvwDimsCats.edited(*e.node("Product"), name);
    EXPECT_EQ(e.sgdMeasures.cell(kMeasuresWeightingDimension, units), "Goods");

    // A category that shares a dimension's name is no weighting dimension.
    name = "Goods";
    e.tvwDimsCats.edited(*e.node("Region/North"), name);
    name = "Northern Goods";
    e.tvwDimsCats.edited(*e.node("Region/Goods"), name);
    EXPECT_EQ(e.sgdMeasures.cell(kMeasuresWeightingDimension, units), "Goods");
}

class DimsCatsCodeEditTest : public ::testing::TestWithParam<EditCase> {
protected:
    void SetUp() override {
        e.loadSmallModel();
        tbnDimsCatsExpandAllClick(e);  // the list shows every node, in tree order
    }

    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e{program.path()};
};

TEST_P(DimsCatsCodeEditTest, ACodeIsStoredOrRefused) {
    const EditCase& c = GetParam();
    if (!c.message.empty()) {
        messages.expect(c.message);
    }
    int item = 0;
    while (item < e.lvwDimsCats.count() &&
           e.lvwDimsCats.items()[static_cast<std::size_t>(item)].node != e.node(c.path)) {
        ++item;
    }
    ASSERT_LT(item, e.lvwDimsCats.count());
    std::string text = c.entered;
    lvwDimsCatsEdited(e, *e.node(c.path), text);
    EXPECT_EQ(text, c.stored);
    EXPECT_EQ(strNodeCode(*e.node(c.path)), c.stored);
    EXPECT_EQ(e.lvwDimsCats.items()[static_cast<std::size_t>(item)].caption, c.stored);
    EXPECT_EQ(messages.pending(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DimsCatsCodeEditTest,
    ::testing::Values(
        EditCase{"Region/North", "NO", "NO", ""}, EditCase{"Region/North", "N O", "N O", ""},
        // Codes are unique in the whole tree.
        EditCase{"Region/North", "HW", "N",
                 "Sorry, the value entered (i.e. HW), \ris already being used by row 6 (i.e. "
                 "Hardware)."},
        EditCase{"Product", "  ", "PRD", kValueRequiredMessage},
        EditCase{"Region/North", std::string(30, 'X'), std::string(25, 'X'), ""},
        EditCase{"Region/North", "<N", "N", "Sorry, a code cannot begin with \"<\"."},
        EditCase{"Region/North", "N\n2", "N", "Sorry, a code cannot hold a line break."}));

TEST(DimsCatsNamesTest, DefaultNamesTakeTheSmallestFreeNumberOfTheirKind) {
    test::TempFolder program;
    test::TreeEditors e(program.path());
    NodeTree& tree = e.tvwDimsCats;
    TreeNode* d = tree.add(nullptr, "Dimension 2");
    tree.addChild(d, "Category 1");
    tree.addChild(tree.addChild(d, "Category 3"), "Dimension 1");
    EXPECT_EQ(strTreeCalcNextName(tree, 0, 0, "Dimension "), "Dimension 1");
    EXPECT_EQ(strTreeCalcNextName(tree, 0, 255, "Dimension "), "Dimension 3");
    EXPECT_EQ(strTreeCalcNextName(tree, 1, 255, "Category "), "Category 2");
    EXPECT_EQ(strDimsCatsCalcNextName(*d, {}), "Dimension 1");
    EXPECT_EQ(strDimsCatsCalcNextName(*d->getFirstChild(), {}), "Category 2");
    EXPECT_EQ(strTreeCalcNextName(tree, 3, 4, "Dimension "), "Dimension 1");
}

TEST(DimsCatsLookupTest, NamesAreFoundAmongSiblingsAndCodesInTheWholeTree) {
    test::TempFolder program;
    test::TreeEditors e(program.path());
    e.loadSmallModel();
    TreeNode* north = e.node("Region/North");
    EXPECT_EQ(tneTreeIsValueUnique(*north, "West", 0, true), e.node("Region/West"));
    EXPECT_EQ(tneTreeIsValueUnique(*north, "North", 0, false), north);
    EXPECT_EQ(tneTreeIsValueUnique(*north, "North", 0, true), nullptr);
    EXPECT_EQ(tneTreeIsValueUnique(*north, "Phones", 0, true), nullptr) << "no sibling";
    EXPECT_EQ(tneTreeIsValueUnique(*e.node("Product"), "Region", 0, true), e.node("Region"));
    EXPECT_EQ(tneTreeIsValueUnique(*north, "PHN", 1, true), e.node("Product/Hardware/Phones"));
    EXPECT_EQ(tneTreeIsValueUnique(*north, "N", 1, true), nullptr);
    EXPECT_EQ(tneTreeIsValueUnique(*north, "N", 1, false), north);
    EXPECT_EQ(tneTreeIsValueUnique(*north, "West", 2, false), nullptr) << "no such scope";
}

}  // namespace
}  // namespace vantorell
