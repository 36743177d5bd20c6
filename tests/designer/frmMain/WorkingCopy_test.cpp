// The working copy in the tree nodes: node data, working arrays of the kind for the node's
// level, their defaults, measure rows added in step with them, codes, the code list and the
// commit of pending edits.
#include <gtest/gtest.h>

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/EditorState.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/MeasuresWorkingData.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {
namespace {

// A node with data and working data as the tree editor makes one.
TreeNode* addNode(EditorState& e, TreeNode* parent) {
    TreeNode* node = parent == nullptr ? e.tvwDimsCats.add(nullptr, "node")
                                       : e.tvwDimsCats.addChild(parent, "node");
    nulDimsCatsNodeDataCreate(*node, true, {});
    nulDimsCatsNodeExtDataCreate(*node, intMeasureRowsCount(e.sgdMeasures), false);
    nulDimsCatsNodeExtDataSetDefaults(e.sgdMeasures, *node);
    return node;
}

void setWeighted(EditorState& e, int row) {
    e.sgdMeasures.setCell(kMeasuresType, row, kMeasureTypeTexts[kMeasureTypeWeighted]);
    nulMeasuresTypeSetRowDefaults(e.sgdMeasures, row);
}

TEST(WorkingCopyTest, WorkingArraysFollowTheNodesLevel) {
    EditorState e;
    TreeNode* dimension = e.tvwDimsCats.add(nullptr, "D");
    TreeNode* category = e.tvwDimsCats.addChild(dimension, "C");
    for (TreeNode* n : {dimension, category}) {
        nulDimsCatsNodeDataCreate(*n, false, {});
        EXPECT_EQ(strNodeCode(*n), "");
        EXPECT_FALSE(nodeData(*n)->hasExtData());
        nulDimsCatsNodeExtDataCreate(*n, 2, false);
    }
    ASSERT_NE(nodeData(*dimension)->irregularities(), nullptr);
    EXPECT_EQ(nodeData(*dimension)->measureValues(), nullptr);
    ASSERT_NE(nodeData(*category)->measureValues(), nullptr);
    EXPECT_EQ(nodeData(*category)->irregularities(), nullptr);

    // Growing keeps what is there and zero-fills; recreating starts afresh.
    measureValueItem(*category, 1)->intPercentage = 5;
    nulDimsCatsNodeExtDataCreate(*category, 3, false);
    EXPECT_EQ(measureValueItem(*category, 1)->intPercentage, 5);
    EXPECT_EQ(*measureValueItem(*category, 2), TMeasureValuesWorksetItem{});
    nulDimsCatsNodeExtDataCreate(*category, 3, true);
    EXPECT_EQ(measureValueItem(*category, 1)->intPercentage, 0);
    EXPECT_EQ(measureValueItem(*category, 3), nullptr);

    // A category that becomes a dimension gets irregularity data and its icons.
    category->moveTo(nullptr, NodeAttachMode::Add);
    nulDimsCatsNodesExtDataSwitchLevelType(e.sgdMeasures, *category);
    EXPECT_NE(nodeData(*category)->irregularities(), nullptr);
    EXPECT_EQ(category->imageIndex(), kDimensionImage);
    EXPECT_EQ(category->selectedIndex(), kDimensionSelectedImage);
    EXPECT_TRUE(flgDimsCatsNodeExtDataDelete(*category));
    EXPECT_FALSE(flgDimsCatsNodeExtDataDelete(*category));
}

TEST(WorkingCopyTest, TheFirstMeasureFillsTheBlankRow) {
    EditorState e;
    TreeNode* dimension = addNode(e, nullptr);
    TreeNode* category = addNode(e, dimension);
    EXPECT_EQ(nodeData(*category)->extDataSize(), 1u);  // the blank row's

    EXPECT_EQ(intMeasuresAddRow(e, false), 1);
    const std::vector<std::string> row = {
        "Measure 1", "MEAS1", "Independent", "0", "0", "Vary by Global Percentage", "100", "", ""};
    for (int c = 0; c < kMeasuresColumnCount; ++c) {
        EXPECT_EQ(e.sgdMeasures.cell(c, 1), row[static_cast<std::size_t>(c)]) << c;
    }
    EXPECT_EQ(e.strCellPreviousText, "Measure 1");
    EXPECT_EQ(intMeasuresAddRow(e, true), 2);
    EXPECT_EQ(e.sgdMeasures.cell(kMeasuresName, 2), "Measure 2");
    EXPECT_EQ(e.sgdMeasures.cell(kMeasuresCode, 2), "MEAS2");
    EXPECT_EQ(e.sgdMeasures.row(), 2);
    EXPECT_TRUE(e.sgdMeasures.editorMode());
    EXPECT_EQ(nodeData(*dimension)->extDataSize(), 2u);
    EXPECT_EQ(nodeData(*category)->extDataSize(), 2u);
    EXPECT_EQ(measureValueItem(*category, 1)->intPercentage, 1000000);
}

TEST(WorkingCopyTest, DefaultsOfACategory) {
    EditorState e;
    intMeasuresAddRow(e, false);
    intMeasuresAddRow(e, false);
    setWeighted(e, 2);
    TreeNode* dimension = addNode(e, nullptr);
    TreeNode* first = addNode(e, dimension);
    TreeNode* second = addNode(e, dimension);
    TreeNode* child = addNode(e, first);

    const TMeasureValuesWorksetItem whole{false, 1000000, 1000000, 0, 0, 0};
    const TMeasureValuesWorksetItem none{false, 0, 0, 0, 0, 0};
    const TMeasureValuesWorksetItem ratios{false, 0, 0, 1.0, 1.0, 1.0};
    EXPECT_EQ(*measureValueItem(*first, 0), whole);
    EXPECT_EQ(*measureValueItem(*second, 0), none);
    EXPECT_EQ(*measureValueItem(*child, 0), whole);
    for (TreeNode* n : {first, second, child}) {
        EXPECT_EQ(*measureValueItem(*n, 1), ratios);
    }
    EXPECT_EQ(*irregularityItem(*dimension, 0), TIrregularitiesWorksetItem{});
    EXPECT_EQ(intArrSiblingsGetTotalPercentages(e.sgdMeasures, *second, 0, false), 1000000);

    // A group whose shares went elsewhere gives the whole to the next category.
    measureValueItem(*first, 0)->intNegPercentage = 0;
    nulArrMeasureValuesWorksetSetDefaults(e.sgdMeasures, *second, 0);
    EXPECT_EQ(measureValueItem(*second, 0)->intNegPercentage, 1000000);
    EXPECT_EQ(measureValueItem(*second, 0)->intPercentage, 0);
}

TEST(WorkingCopyTest, AMeasureInsertedBeforeOthersGetsDefaultsOfItsOwn) {
    EditorState e;
    intMeasuresAddRow(e, false);
    TreeNode* dimension = addNode(e, nullptr);
    TreeNode* first = addNode(e, dimension);
    TreeNode* second = addNode(e, dimension);
    // The existing measure gives all to the second category.
    measureValueItem(*first, 0)->intPercentage = 0;
    measureValueItem(*second, 0)->intPercentage = 1000000;
    irregularityItem(*dimension, 0)->intIrregularityFamilyNumber = 3;

    nulGridRowInsert(e.sgdMeasures, 1, {"New", "NEW", "Independent", "0", "0"});
    nulMeasureAddToDimsCats(e, 0);
    EXPECT_EQ(measureValueItem(*first, 0)->intPercentage, 1000000);
    EXPECT_EQ(measureValueItem(*second, 0)->intPercentage, 0);
    EXPECT_EQ(measureValueItem(*first, 1)->intPercentage, 0);
    EXPECT_EQ(measureValueItem(*second, 1)->intPercentage, 1000000);
    EXPECT_EQ(irregularityItem(*dimension, 0)->intIrregularityFamilyNumber, 0);
    EXPECT_EQ(irregularityItem(*dimension, 1)->intIrregularityFamilyNumber, 3);
}

TEST(WorkingCopyTest, GeneratedCodesAreUniqueInTheWholeTree) {
    EditorState e;
    TreeNode* d1 = addNode(e, nullptr);
    TreeNode* d2 = addNode(e, nullptr);
    TreeNode* c1 = addNode(e, d2);
    TreeNode* c2 = addNode(e, d2);
    EXPECT_EQ(strNodeCode(*d1), "DIM");
    EXPECT_EQ(strNodeCode(*d2), "DIM1");
    EXPECT_EQ(strNodeCode(*c1), "CAT");
    EXPECT_EQ(strNodeCode(*c2), "CAT1");

    // A category holding "DIM2" keeps the next dimension from taking it.
    nodeData(*c2)->strCode = "DIM2";
    EXPECT_EQ(strDimsCatsCalcNextCode(*addNode(e, nullptr), {}), "DIM3");
    EXPECT_EQ(strTreeCalcNextCode(e.tvwDimsCats, 0, 0, "DIM"), "DIM2");

    // A base of 25 bytes is cut so that base and number fit a model record.
    const std::string base(25, 'B');
    nodeData(*c1)->strCode = base;
    const std::string next = strDimsCatsCalcNextCode(*c2, base);
    EXPECT_EQ(next, std::string(24, 'B') + "1");

    DimsCatsCodeRegistry registry;
    registry.addTree(e.tvwDimsCats);
    EXPECT_EQ(registry.next({}, false), "CAT");  // freed by c1 above
    EXPECT_EQ(registry.next({}, false), "CAT1");
    EXPECT_EQ(registry.next("DIM", true), "DIM4");
    EXPECT_EQ(registry.next("X", true), "X");
    EXPECT_EQ(registry.next("X", true), "X1");
}

TEST(WorkingCopyTest, TheCodeListShowsTheVisibleRowsItCanHold) {
    EditorState e;
    TreeNode* d1 = addNode(e, nullptr);
    addNode(e, d1);
    addNode(e, nullptr);
    int changes = 0;
    e.lvwDimsCats.onChanged = [&] { ++changes; };
    const auto captions = [&] {
        std::vector<std::string> texts;
        for (const CodeListItem& item : e.lvwDimsCats.items()) {
            texts.push_back(item.caption);
        }
        return texts;
    };
    nulDimsCatsDisplayCodes(e);
    EXPECT_EQ(captions(), (std::vector<std::string>{"DIM", "DIM1"}));
    EXPECT_EQ(changes, 1);
    d1->setExpanded(true);
    nulDimsCatsDisplayCodes(e);
    EXPECT_EQ(captions(), (std::vector<std::string>{"DIM", "CAT", "DIM1"}));
    EXPECT_EQ(e.lvwDimsCats.items()[1].node, d1->getFirstChild());
    e.lvwDimsCats.setVisibleRowCount(2);
    nulDimsCatsDisplayCodes(e);
    EXPECT_EQ(captions(), (std::vector<std::string>{"DIM", "CAT"}));
}

class RecordingTreePort : public TreePort {
public:
    explicit RecordingTreePort(std::vector<std::string>& log) : log_(log) {}
    void editText(TreeNode&) override {}
    void endEdit(bool cancel) override { log_.push_back(cancel ? "tree cancel" : "tree end"); }
    bool isEditing() const override { return true; }
    TreeNode* topItem() const override { return nullptr; }
    void focusTree() override {}

private:
    std::vector<std::string>& log_;
};

TEST(WorkingCopyTest, PendingEditsAreCommittedTreeFirstThenTheThreeGrids) {
    EditorState e;
    std::vector<std::string> log;
    RecordingTreePort port(log);
    e.tvwDimsCats.setPort(&port);
    e.sgdMeasuresExit = [&] { log.push_back("measures"); };
    e.sgdMeasureValuesExit = [&] { log.push_back("measure values"); };
    e.sgdIrregularitiesExit = [&] { log.push_back("irregularities"); };

    nulGridsSaveValues(e);
    EXPECT_EQ(log, (std::vector<std::string>{"measures", "measure values", "irregularities"}));
    log.clear();
    e.tvwDimsCats.setSelected(e.tvwDimsCats.add(nullptr, "D"));
    nulGridsSaveValues(e);
    EXPECT_EQ(log, (std::vector<std::string>{"tree end", "measures", "measure values",
                                             "irregularities"}));
    e.tvwDimsCats.setPort(nullptr);
}

}  // namespace
}  // namespace vantorell
