// A model edited through the tree editor's commands, saved and read back, keeps its tree,
// its codes and its shares.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "designer/frmMain/DimsCatsCommands.h"
#include "designer/frmMain/DimsCatsMoves.h"
#include "designer/frmMain/DimsCatsRename.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "designer/rtnTrees/rtnTrees.h"
#include "tests/support/ModelDump.h"
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

// One random step of a user who picks a node (or presses on empty space) and a command.
using Command = void (*)(EditorState&);
constexpr Command kCommands[] = {tbnDimsCatsAddSiblingClick,    tbnDimsCatsAddChildClick,
                                 tblDimsCatsInsertSiblingClick, tbnDimsCatsRemClick,
                                 tbnDimsCatsMoveUpClick,        tbnDimsCatsMoveDownClick,
                                 tbnDimsCatsMoveLeftClick,      tbnDimsCatsMoveRightClick};

void randomStep(test::TreeEditors& e, std::mt19937& random) {
    std::vector<TreeNode*> nodes;
    for (TreeNode* n = e.tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
        nodes.push_back(n);
    }
    const std::size_t pick = std::uniform_int_distribution<std::size_t>(0, nodes.size())(random);
    e.tvwDimsCats.setSelected(pick < nodes.size() ? nodes[pick] : nullptr);
    // Now and then a run of Add child, so that some trees grow deep.
    constexpr int kDive = static_cast<int>(std::size(kCommands));
    const int command = std::uniform_int_distribution<int>(0, kDive)(random);
    if (command == kDive) {
        for (int i = std::uniform_int_distribution<int>(2, 40)(random); i > 0; --i) {
            tbnDimsCatsAddChildClick(e);
        }
        return;
    }
    kCommands[command](e);
}

int deepestLevel(const NodeTree& tree) {
    int deepest = 0;
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        deepest = std::max(deepest, n->level());
    }
    return deepest;
}

// A model file keeps each leaf's share of its whole dimension, so below a category without
// a share (on one side) the split among its children cannot be kept: those shares are set
// to 0 before models are compared. `tree` is the tree the arrays were made from.
ModelArrays whatAFileKeeps(ModelArrays model, const NodeTree& tree, const StringGrid& measures) {
    std::vector<const TreeNode*> categories;
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        if (n->level() > 0) {
            categories.push_back(n);
        }
    }
    for (TMeasureValueRecord& v : model.values) {
        const int k = v.intMeasureIndex;
        if (intMeasuresGetTypeNumber(measures, measures.fixedRows() + k) !=
            kMeasureTypeIndependent) {
            continue;
        }
        for (const TreeNode* up =
                 categories.at(static_cast<std::size_t>(v.intCategoryIndex))->parent();
             up != nullptr && up->level() > 0; up = up->parent()) {
            const TMeasureValuesWorksetItem* share = measureValueItem(*up, k);
            if (share->intPercentage == 0) {
                v.intPercentage = 0;
            }
            if (share->intNegPercentage == 0) {
                v.intNegPercentage = 0;
            }
        }
    }
    return model;
}

TEST(DimsCatsRoundTripTest, EveryTreeTheEditorLetsTheUserBuildReadsBackAsBuilt) {
    test::TempFolder program;
    test::TestMessages messages;
    // Refused steps (a name taken among the new siblings, a level too deep, ...) say why.
    messages.allowContaining("Sorry, ");
    for (unsigned run = 0; run < 200; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        std::mt19937 random(run);
        test::TreeEditors e(program.path());
        e.loadSmallModel();
        if (run % 10 == 0) {
            // A chain that reaches the deepest level a model keeps, and the steps beyond it.
            e.select("Region/North");
            for (int i = 0; i < kDeepestCategoryLevel + 2; ++i) {
                tbnDimsCatsAddChildClick(e);
            }
        }
        for (int step = 0; step < 40; ++step) {
            randomStep(e, random);
        }
        ASSERT_TRUE(test::treeSharesBalanced(e));
        ASSERT_LE(deepestLevel(e.tvwDimsCats), kDeepestCategoryLevel);
        // Units needs a weighting dimension, which the user picks again once its own is gone.
        if (e.tvwDimsCats.count() == 0) {
            tbnDimsCatsAddSiblingClick(e);
        }
        // A model needs a category to keep its measures' totals.
        if (deepestLevel(e.tvwDimsCats) == 0) {
            e.tvwDimsCats.setSelected(e.tvwDimsCats.getFirstNode());
            tbnDimsCatsAddChildClick(e);
        }
        StringGrid& measures = e.sgdMeasures;
        const int units = measures.fixedRows() + 1;
        if (measures.cell(kMeasuresWeightingDimension, units).empty()) {
            measures.setCell(kMeasuresWeightingDimension, units,
                             e.tvwDimsCats.getFirstNode()->text());
        }

        ModelArrays saved = e.externalize();
        ASSERT_TRUE(test::modelArraysValid(saved, {.dimensionCounts = false}));
        std::string digest;
        const std::string file = program.file("random.vtm");
        ASSERT_TRUE(
            flgWriteFile(program.path(), file, "", "", 0, digest, true, true, true, saved, 0));
        ModelArrays read;
        std::int32_t points = 0;
        ASSERT_TRUE(flgReadFile(file, points, read));
        const auto kept = [&](const ModelArrays& m) {
            return test::dumpEditorFields(whatAFileKeeps(m, e.tvwDimsCats, measures));
        };
        EXPECT_EQ(kept(read), kept(saved));

        test::TreeEditors back(program.path());
        ASSERT_TRUE(back.internalize(read));
        EXPECT_EQ(back.outline(), e.outline());
        EXPECT_EQ(kept(back.externalize()), kept(saved));
    }
}

}  // namespace
}  // namespace vantorell
