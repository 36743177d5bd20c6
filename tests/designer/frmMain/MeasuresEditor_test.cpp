// The measures editor's rows: adding, inserting, removing and moving measures keeps every
// node's working data in step with the rows, and the references between measures whole.
#include "designer/frmMain/MeasuresEditor.h"

#include <gtest/gtest.h>

#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnGrids/GridRows.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

using Names = std::vector<std::string>;
using Shares = std::vector<int>;

class MeasuresEditorTest : public ::testing::Test {
protected:
    MeasuresEditorTest() { e.loadSmallModel(); }

    Names names() const {
        Names out;
        for (int r = 1; r < e.sgdMeasures.rowCount(); ++r) {
            out.push_back(e.sgdMeasures.cell(kMeasuresName, r));
        }
        return out;
    }
    // Every node holds one element per measure row.
    void expectInStep() const {
        const auto rows = static_cast<std::size_t>(intMeasureRowsCount(e.sgdMeasures));
        for (TreeNode* n = e.tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
            EXPECT_EQ(nodeData(*n)->extDataSize(), rows) << n->text();
        }
    }

    test::TempFolder program;
    test::TestMessages messages;
    test::TreeEditors e{program.path()};
};

TEST_F(MeasuresEditorTest, InsertingPutsANewMeasureWithDefaultsBeforeTheCurrentOne) {
    e.sgdMeasures.setCurrentCell(kMeasuresName, 2);  // Units
    tbnMeasureInsertClick(e);
    EXPECT_EQ(names(), (Names{"Revenue", "Measure 1", "Units"}));
    EXPECT_EQ(e.sgdMeasures.cell(kMeasuresCode, 2), "MEAS1");
    EXPECT_EQ(e.sgdMeasures.cell(kMeasuresGlobalPercentage, 2), "100");
    EXPECT_EQ(e.sgdMeasures.row(), 2);
    EXPECT_TRUE(e.sgdMeasures.editorMode()) << "the new name goes into editing";
    expectInStep();
    // The new measure's working data is its own; the others kept theirs.
    EXPECT_EQ(e.shares("Region", 0, false), (Shares{500000, 300000, 200000}));
    EXPECT_EQ(e.shares("Region", 1, false), (Shares{1000000, 0, 0}));
    EXPECT_EQ(e.shares("Product/Hardware/Computers", 1, true), (Shares{1000000, 0}));
    EXPECT_DOUBLE_EQ(measureValueItem(*e.node("Product/Services"), 2)->dblMaximumRatio, 0.3);
    EXPECT_EQ(*irregularityItem(*e.node("Region"), 1), TIrregularitiesWorksetItem{});
    EXPECT_EQ(irregularityItem(*e.node("Region"), 0)->intIrregularityFamilyNumber, 1);
    EXPECT_TRUE(test::treeSharesBalanced(e));
}

TEST_F(MeasuresEditorTest, RemovingAMeasureTakesItsDataAndItsUseAsASource) {
    e.sgdMeasures.setCell(kMeasuresSourceMeasure, 2, "Revenue");
    e.sgdMeasures.setCurrentCell(kMeasuresName, 1);
    tbnMeasureRemClick(e);
    EXPECT_EQ(names(), Names{"Units"});
    EXPECT_EQ(e.sgdMeasures.cell(kMeasuresSourceMeasure, 1), "") << "no source it cannot save";
    expectInStep();
    EXPECT_DOUBLE_EQ(measureValueItem(*e.node("Product/Services"), 0)->dblAverageRatio, 0.2);

    // The last measure leaves the blank row and no working data at all.
    tbnMeasureRemClick(e);
    EXPECT_TRUE(flgGridIsEmpty(e.sgdMeasures));
    EXPECT_EQ(e.sgdMeasures.rowCount(), 2);
    EXPECT_EQ(e.sgdMeasures.cell(kMeasuresName, 1), "");
    for (TreeNode* n = e.tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
        EXPECT_EQ(nodeData(*n)->extDataSize(), 0u) << n->text();
    }
    EXPECT_FALSE(nulMeasuresSetButtonState(e.sgdMeasures));
    // Inserting on an empty grid adds.
    tbnMeasureInsertClick(e);
    EXPECT_EQ(names(), Names{"Measure 1"});
    expectInStep();
    EXPECT_EQ(e.shares("Region", 0, false), (Shares{1000000, 0, 0}));
}

TEST_F(MeasuresEditorTest, MovingSwapsRowsAndWorkingDataAndFollowsTheMeasure) {
    e.sgdMeasures.setCurrentCell(kMeasuresName, 1);
    tbnMeasureMoveUpClick(e);
    EXPECT_EQ(names(), (Names{"Revenue", "Units"})) << "the first measure goes no higher";
    tbnMeasureMoveDownClick(e);
    EXPECT_EQ(names(), (Names{"Units", "Revenue"}));
    EXPECT_EQ(e.sgdMeasures.row(), 2);
    EXPECT_EQ(e.shares("Region", 1, false), (Shares{500000, 300000, 200000}));
    EXPECT_DOUBLE_EQ(measureValueItem(*e.node("Product/Services"), 0)->dblMaximumRatio, 0.3);
    EXPECT_EQ(irregularityItem(*e.node("Region"), 1)->intIrregularityFamilyNumber, 1);
    tbnMeasureMoveDownClick(e);
    EXPECT_EQ(names(), (Names{"Units", "Revenue"})) << "nor the last one lower";
    // The model saved after the move names the moved measures by their new positions.
    const ModelArrays model = e.externalize();
    ASSERT_EQ(model.measures.size(), 2u);
    EXPECT_EQ(model.measures[1].strName.str(), "Revenue");
    EXPECT_EQ(model.irregularities.front().intMeasureIndex, 1);
}

}  // namespace
}  // namespace vantorell
