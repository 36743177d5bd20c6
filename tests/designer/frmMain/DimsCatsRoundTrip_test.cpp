// A model edited through the tree editor's commands, saved and read back, keeps its tree,
// its codes and its shares.
#include <gtest/gtest.h>

#include "designer/frmMain/DimsCatsCommands.h"
#include "designer/frmMain/DimsCatsMoves.h"
#include "designer/frmMain/DimsCatsRename.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "designer/rtnTrees/rtnTrees.h"
#include "tests/support/ModelInvariants.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

// Every node's kind and working elements, in tree order: the shares, and the ratios where
// the file keeps them (the weighted measure's, on the leaves of its weighting dimension).
std::vector<std::string> workingCopy(const NodeTree& tree) {
    std::vector<std::string> lines;
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        std::string line = n->text();
        const bool weighted = !n->hasChildren() && tneTreeNodeTopLevel(n)->text() == "Product";
        if (const auto* values = nodeData(*n)->measureValues()) {
            for (const TMeasureValuesWorksetItem& v : *values) {
                line += " " + std::to_string(v.intPercentage) + "/" +
                        std::to_string(v.intNegPercentage);
                if (weighted) {
                    line += "/" + std::to_string(v.dblMinimumRatio);
                }
            }
        } else if (const auto* irregularities = nodeData(*n)->irregularities()) {
            for (const TIrregularitiesWorksetItem& i : *irregularities) {
                line += " irr " + std::to_string(i.dblStandardIrregularity);
            }
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(DimsCatsRoundTripTest, AnEditedModelReadsBackAsItWasEdited) {
    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e(program.path());
    e.loadSmallModel();

    e.select("Region/South");
    tbnDimsCatsRemClick(e);
    e.select("Product/Services");
    tbnDimsCatsMoveRightClick(e);
    e.select("Region/West");
    tbnDimsCatsMoveLeftClick(e);
    e.select("Region/North");
    tbnDimsCatsAddChildClick(e);
    tbnDimsCatsAddSiblingClick(e);
    e.select("Product/Hardware/Computers/Desktops");
    tbnDimsCatsMoveUpClick(e);
    std::string name = "Equipment";
    e.tvwDimsCats.edited(*e.node("Product/Hardware"), name);
    std::string code = "EQ";
    lvwDimsCatsEdited(e, *e.node("Product/Equipment"), code);
    ASSERT_EQ(code, "EQ");
    ASSERT_TRUE(test::treeSharesBalanced(e));

    ModelArrays saved = e.externalize();
    ASSERT_TRUE(test::modelArraysValid(saved, {.dimensionCounts = false}));
    std::string digest;
    ASSERT_TRUE(flgWriteFile(program.path(), program.file("edited.vtm"), "", "", 0, digest, true,
                             true, true, saved, 0));
    ModelArrays read;
    std::int32_t points = 0;
    ASSERT_TRUE(flgReadFile(program.file("edited.vtm"), points, read));

    test::TreeEditors back(program.path());
    ASSERT_TRUE(back.internalize(read));
    EXPECT_EQ(back.outline(), e.outline());
    EXPECT_EQ(workingCopy(back.tvwDimsCats), workingCopy(e.tvwDimsCats));
    EXPECT_TRUE(test::treeSharesBalanced(back));
    EXPECT_EQ(back.outline(),
              (std::vector<std::string>{
                  "Region REG", "  North N", "    Category 1 CAT", "    Category 2 CAT1", "West W",
                  "Product PRD", "  Equipment EQ", "    Computers CMP", "      Desktops DSK",
                  "      Laptops LAP", "    Phones PHN", "    Services SRV"}));
}

}  // namespace
}  // namespace vantorell
