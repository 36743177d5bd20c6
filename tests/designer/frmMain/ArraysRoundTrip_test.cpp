// The working copy and the model arrays: internalize then externalize gives the arrays and
// the digest back; what externalize produces from the tree and the measures grid; what
// internalize refuses.
#include <gtest/gtest.h>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/ModelDump.h"
#include "tests/support/RandomModel.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEditors.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using namespace test;

bool empty(const ModelArrays& m) {
    return m.dimensions.empty() && m.categories.empty() && m.measures.empty() && m.values.empty() &&
           m.irregularities.empty();
}

class ArraysRoundTripTest : public ::testing::Test {
protected:
    // Internalize and externalize twice: the first pass gives the same working copy and
    // digest, the second the very same arrays.
    void expectRoundTrip(const ModelArrays& model) {
        ModelArrays copy = model;
        const std::string digest = strChecksumGet(editors, copy);
        ASSERT_TRUE(editors.internalize(model));
        EXPECT_EQ(editors.checksum, digest);
        const ModelArrays first = editors.externalize();
        EXPECT_EQ(editors.checksum, digest);
        EXPECT_EQ(dumpEditorFields(first), dumpEditorFields(model));

        ASSERT_TRUE(editors.internalize(first));
        EXPECT_EQ(editors.checksum, digest);
        const ModelArrays second = editors.externalize();
        EXPECT_EQ(dumpModel(second), dumpModel(first));
    }

    TempFolder program;
    TestMessages messages;
    TestEditors editors{program.path()};
};

TEST_F(ArraysRoundTripTest, RandomModels) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        expectRoundTrip(randomModel(seed));
    }
}

TEST_F(ArraysRoundTripTest, TheSmallModel) {
    expectRoundTrip(smallModel());
}

TEST_F(ArraysRoundTripTest, TheExampleModel) {
    ModelArrays model;
    std::int32_t points = 0;
    ASSERT_TRUE(flgReadFile(sourcePath("examples/sales.vtm"), points, model));
    editors.intRequestedPoints = points;
    expectRoundTrip(model);
}

TEST_F(ArraysRoundTripTest, AnEmptyModelGivesFiveEmptyArraysAndTheEmptyDigest) {
    ModelArrays none;
    const std::string digest = strChecksumGet(editors, none);
    ASSERT_TRUE(editors.internalize({}));
    EXPECT_EQ(editors.checksum, digest);
    EXPECT_EQ(editors.tvwDimsCats.count(), 0);
    EXPECT_FALSE(flgMeasuresHasValues(editors.sgdMeasures));
    EXPECT_TRUE(empty(editors.externalize()));
    EXPECT_EQ(editors.checksum, digest);
}

TEST_F(ArraysRoundTripTest, InternalizeEmptiesTheArraysAndReportsTheirCounts) {
    ModelArrays model = smallModel();
    editors.setStatusText("Read: 00:00:01.250");
    std::string checksum;
    ASSERT_TRUE(nulInternalizeReaderWriterArrays(editors, model, checksum, {}, {}, false, "x",
                                                 "Arrays.log"));
    EXPECT_TRUE(empty(model));
    EXPECT_EQ(editors.statusText(),
              "Read: 00:00:01.250, Internalize: 00:00:00.000 (2 Dimensions, 9 Categories, "
              "2 Measures, 2 Irregularities, 13 Measure Values)");
    EXPECT_EQ(editors.tvwDimsCats.count(), 11);
    EXPECT_EQ(editors.sgdMeasures.cell(kMeasuresName, 2), "Units");
}

TEST_F(ArraysRoundTripTest, TheMeasuresGridShowsEveryField) {
    ModelArrays model;
    model.dimensions = {dimension("Region", "REG")};
    model.measures = {independent("Sales", "S", 1250.5, 20, 0, 40),
                      independent("Cost", "C", 7, 0, 3, -1), weighted("Units", "U", 1, 0),
                      weighted("Broken", "B", -1, 5)};
    ASSERT_TRUE(editors.internalize(model));
    const StringGrid& grid = editors.sgdMeasures;
    const std::vector<std::vector<std::string>> rows = {
        {"Sales", "S", "Independent", "1250.5", "20", "Vary by Global Percentage", "40", "Sales",
         "Region"},
        {"Cost", "C", "Independent", "7", "0", "Vary by Dim. + Up to 3 Families", "0", "Sales",
         "Region"},
        {"Units", "U", "Weighted", "0", "0", "Vary by Global Percentage", "0", "Cost", "Region"},
        {"Broken", "B", "Weighted", "0", "0", "Vary by Global Percentage", "0", "", ""},
    };
    ASSERT_EQ(grid.rowCount(), 5);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            EXPECT_EQ(grid.cell(static_cast<int>(c), static_cast<int>(r) + 1), rows[r][c])
                << "row " << r << " column " << c;
        }
    }
}

// Region (North, South), Product (Hardware > Laptops, Desktops; Services), Empty (none).
ModelArrays threeDimensions() {
    ModelArrays m;
    m.dimensions = {dimension("Region", "REG"), dimension("Product", "PRD"),
                    dimension("Empty", "EMP")};
    m.categories = {category("North", "N", 1, 0),      category("South", "S", 1, 0),
                    category("Hardware", "HW", 1, 1),  category("Laptops", "LAP", 2, 1),
                    category("Desktops", "DSK", 2, 1), category("Services", "SRV", 1, 1)};
    m.measures = {independent("Sales", "SAL", 100, 0, 1, 0), weighted("Units", "UNI", 0, 1),
                  weighted("Visits", "VIS", 0, 2)};
    m.values = {share(0, 0, 0, 600000, 1000000), share(0, 0, 1, 400000, 0),
                share(0, 1, 2, 700000, 1000000), share(0, 1, 3, 250000, 1000000),
                share(0, 1, 4, 750000, 0),       share(0, 1, 5, 300000, 0)};
    m.values.push_back(ratios(1, 1, 3, 0.5, 2, 1));
    m.values.push_back(ratios(1, 1, 4, 0.25, 1.5, 0.75));
    m.values.push_back(ratios(1, 1, 5, 1, 3, 2));
    for (int d = 0; d < 3; ++d) {
        m.irregularities.push_back(irregularity(0, d, 0.25 * d, 0, 0));
    }
    return m;
}

TEST_F(ArraysRoundTripTest, WeightedMeasuresTakeTheLeavesOfTheirWeightingDimensionOnly) {
    expectRoundTrip(threeDimensions());
    const ModelArrays out = editors.externalize();
    std::vector<int> units;
    for (const TMeasureValueRecord& v : out.values) {
        EXPECT_NE(v.intMeasureIndex, 2) << "a dimension without categories has no values";
        if (v.intMeasureIndex == 1) {
            units.push_back(v.intCategoryIndex);
            EXPECT_EQ(v.intPercentage, 0);
        }
    }
    EXPECT_EQ(units, (std::vector<int>{3, 4, 5}));
    // The dimension without categories is one record, with one irregularity record.
    EXPECT_EQ(out.dimensions.size(), 3u);
    EXPECT_EQ(out.irregularities.size(), 3u);
}

TEST_F(ArraysRoundTripTest, IrregularityRecordsOnlyForIrregularityTypesAboveZero) {
    ASSERT_TRUE(editors.internalize(threeDimensions()));
    StringGrid& grid = editors.sgdMeasures;
    for (int type = 0; type < 4; ++type) {
        grid.setCell(kMeasuresIrregularityType, 1, strMeasuresIrregTypeTextGet(type));
        const ModelArrays out = editors.externalize();
        EXPECT_EQ(out.irregularities.size(), type > 0 ? 3u : 0u) << type;
        EXPECT_EQ(out.measures[0].intIrregularityType, type);
        EXPECT_EQ(out.measures[0].intGlobalPercent, 0);
    }
    grid.setCell(kMeasuresIrregularityType, 1, strMeasuresIrregTypeTextGet(2));
    irregularityItem(*editors.tvwDimsCats.topLevelItem(1), 0)->dblInterFamilyIrregularity = 0.5;
    irregularityItem(*editors.tvwDimsCats.topLevelItem(1), 0)->intIrregularityFamilyNumber = 2;
    const ModelArrays out = editors.externalize();
    ASSERT_EQ(out.irregularities.size(), 3u);
    EXPECT_EQ(out.irregularities[1].intDimensionIndex, 1);
    EXPECT_EQ(out.irregularities[1].dblStandardIrregularity, 0.25);
    EXPECT_EQ(out.irregularities[1].dblInterFamilyIrregularity, 0.5);
    EXPECT_EQ(out.irregularities[1].intIrregularityFamilyNumber, 2);
}

// A model file may give an independent measure no shares for a dimension (or only some of
// them): the editors' groups still add up to 100 %, as a new category's defaults would, so
// saving and opening again gives the model and its digest back.
TEST_F(ArraysRoundTripTest, SharesAFileDoesNotGiveBalanceAsNewCategoriesWould) {
    ModelArrays model;
    model.dimensions = {dimension("A", "A"), dimension("B", "B")};
    model.categories = {category("a1", "a1", 1, 0), category("a2", "a2", 1, 0),
                        category("b1", "b1", 1, 1), category("b11", "b11", 2, 1),
                        category("b12", "b12", 2, 1)};
    model.measures = {independent("Sales", "S", 100, 0, 0, 0)};
    model.values = {share(0, 1, 2, 1'000'000, 1'000'000)};  // b1 only; nothing for A, b11, b12
    ASSERT_TRUE(editors.internalize(model));
    const ModelArrays out = editors.externalize();
    std::vector<std::string> shares;
    for (const TMeasureValueRecord& v : out.values) {
        shares.push_back(
            out.categories[static_cast<std::size_t>(v.intCategoryIndex)].strName.str() + ":" +
            std::to_string(v.intPercentage) + "/" + std::to_string(v.intNegPercentage));
    }
    EXPECT_EQ(shares,
              (std::vector<std::string>{"a1:1000000/1000000", "a2:0/0", "b1:1000000/1000000",
                                        "b11:1000000/1000000", "b12:0/0"}));
    expectRoundTrip(out);
}

TEST_F(ArraysRoundTripTest, CategoriesOutOfTreeOrderAreRebuiltUnderTheLastNodeAboveThem) {
    ModelArrays model;
    model.dimensions = {dimension("A", "A"), dimension("B", "B")};
    model.categories = {category("a", "a", 1, 0), category("x", "x", 1, 1),
                        category("a1", "a1", 2, 0), category("y", "y", 1, 1),
                        category("b", "b", 1, 0)};
    ASSERT_TRUE(editors.internalize(model));
    const TreeNode* a = editors.tvwDimsCats.topLevelItem(0);
    ASSERT_EQ(a->count(), 2);
    EXPECT_EQ(a->item(0)->item(0)->text(), "a1");
    EXPECT_EQ(a->item(1)->text(), "b");
    const ModelArrays out = editors.externalize();
    std::vector<std::string> names;
    for (const TCategoryRecord& c : out.categories) {
        names.push_back(c.strName.str() + "@" + std::to_string(c.intParentDimensionIndex));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a@0", "a1@0", "b@0", "x@1", "y@1"}));
}

TEST_F(ArraysRoundTripTest, EmptyCodesGetGeneratedCodesThatClashWithNoOther) {
    ModelArrays model;
    model.dimensions = {dimension("A", ""), dimension("B", "DIM")};
    model.categories = {category("a", "", 1, 0), category("b", "", 1, 0),
                        category("c", "CAT", 1, 1)};
    ASSERT_TRUE(editors.internalize(model));
    const NodeTree& tree = editors.tvwDimsCats;
    EXPECT_EQ(strNodeCode(*tree.topLevelItem(0)), "DIM1");
    EXPECT_EQ(strNodeCode(*tree.topLevelItem(0)->item(0)), "CAT1");
    EXPECT_EQ(strNodeCode(*tree.topLevelItem(0)->item(1)), "CAT2");
    EXPECT_EQ(strNodeCode(*tree.topLevelItem(1)), "DIM");
    EXPECT_EQ(strNodeCode(*tree.topLevelItem(1)->item(0)), "CAT");
}

TEST_F(ArraysRoundTripTest, ValueRecordsThatPointAtNothingAreIgnored) {
    ModelArrays model = threeDimensions();
    const ModelArrays valid = model;
    model.values.push_back(share(7, 0, 0, 1, 1));  // no such measure
    model.values.push_back(share(0, 0, 9, 1, 1));  // no such category
    model.values.push_back(share(0, 1, 0, 1, 1));  // a category of another dimension
    model.values.push_back(share(-1, -1, -1, 1, 1));
    model.irregularities.push_back(irregularity(0, 5, 1, 1, 1));
    ASSERT_TRUE(editors.internalize(model));
    EXPECT_EQ(dumpEditorFields(editors.externalize()), dumpEditorFields(valid));
}

TEST_F(ArraysRoundTripTest, LevelsTheTreeCannotShowAreRefusedAndChangeNothing) {
    ASSERT_TRUE(editors.internalize(smallModel()));
    const std::string before = dumpModel(editors.externalize());
    const std::string status = editors.statusText();
    struct Case {
        std::vector<int> levels;
        int badLevel;
    };
    const Case cases[] = {{{2}, 2}, {{1, 3}, 3}, {{1, 0}, 0}, {{1, 2, 3, -4}, -4}};
    for (const Case& c : cases) {
        ModelArrays model;
        model.dimensions = {dimension("D", "D")};
        for (int level : c.levels) {
            model.categories.push_back(category("c" + std::to_string(level), "", level, 0));
        }
        const ModelArrays given = model;
        messages.expect("The model cannot be shown in the editors: the category \"c" +
                        std::to_string(c.badLevel) + "\" of the dimension \"D\" lies at level " +
                        std::to_string(c.badLevel) +
                        ", but categories lie at levels 1 to 128, each at most one level below "
                        "the category before it.");
        std::string checksum = "unchanged";
        EXPECT_FALSE(nulInternalizeReaderWriterArrays(editors, model, checksum, {}, {}, false, "x",
                                                      "Arrays.log"));
        EXPECT_EQ(checksum, "unchanged");
        EXPECT_EQ(dumpModel(model), dumpModel(given));
        EXPECT_EQ(dumpModel(editors.externalize()), before);
        EXPECT_EQ(editors.statusText(), status);
    }

    ModelArrays stray;
    stray.dimensions = {dimension("D", "D")};
    stray.categories = {category("lost", "", 1, 3)};
    messages.expect(
        "The model cannot be shown in the editors: the category \"lost\" belongs to no "
        "dimension.");
    EXPECT_FALSE(editors.internalize(stray));
    EXPECT_EQ(dumpModel(editors.externalize()), before);
}

TEST_F(ArraysRoundTripTest, TheDeepestLevelIs128) {
    ModelArrays model;
    model.dimensions = {dimension("D", "D")};
    for (int level = 1; level <= 128; ++level) {
        model.categories.push_back(category("c", "k" + std::to_string(level), level, 0));
    }
    expectRoundTrip(model);
}

class ExternalizeRefusalTest : public ArraysRoundTripTest {
protected:
    void SetUp() override { ASSERT_TRUE(editors.internalize(threeDimensions())); }

    // Externalize refuses with the message and leaves the arrays as they were.
    void expectRefused(const std::string& message) {
        ModelArrays arrays = smallModel();
        const std::string before = dumpModel(arrays);
        std::string checksum = "unchanged";
        messages.expect(message);
        EXPECT_FALSE(
            nulExternalizeReaderWriterArrays(editors, arrays, checksum, "x", "Arrays.log"));
        EXPECT_EQ(dumpModel(arrays), before);
        EXPECT_EQ(checksum, "unchanged");
    }
};

TEST_F(ExternalizeRefusalTest, ReferencesOfWeightedMeasuresThatResolveToNothing) {
    StringGrid& grid = editors.sgdMeasures;
    grid.setCell(kMeasuresSourceMeasure, 2, "");
    expectRefused(
        "Sorry, the Source Measure of the measure Units (i.e. ) is not an independent measure of "
        "the model.");
    grid.setCell(kMeasuresSourceMeasure, 2, "Visits");  // a weighted measure
    expectRefused(
        "Sorry, the Source Measure of the measure Units (i.e. Visits) is not an independent "
        "measure of the model.");
    grid.setCell(kMeasuresSourceMeasure, 2, "Sales");
    grid.setCell(kMeasuresWeightingDimension, 2, "Nowhere");
    expectRefused(
        "Sorry, the Weighting Dimension of the measure Units (i.e. Nowhere) is not a dimension of "
        "the model.");
}

TEST_F(ExternalizeRefusalTest, NumbersThatDoNotConvert) {
    StringGrid& grid = editors.sgdMeasures;
    grid.setCell(kMeasuresPosTotal, 1, "1.2.3");
    expectRefused("Sorry, the Pos. Total of the measure Sales (i.e. 1.2.3) is not a number.");
    grid.setCell(kMeasuresPosTotal, 1, "12,5");
    grid.setCell(kMeasuresNegTotal, 1, "");
    expectRefused("Sorry, the Neg. Total of the measure Sales (i.e. ) is not a number.");
    grid.setCell(kMeasuresNegTotal, 1, "0");
    grid.setCell(kMeasuresIrregularityType, 1, strMeasuresIrregTypeTextGet(0));
    grid.setCell(kMeasuresGlobalPercentage, 1, "4.5");
    expectRefused(
        "Sorry, the Global Percentage of the measure Sales (i.e. 4.5) is not a whole number.");
    grid.setCell(kMeasuresGlobalPercentage, 1, "45");
    const ModelArrays out = editors.externalize();
    EXPECT_EQ(out.measures[0].dblPosTotal, 12.5);
    EXPECT_EQ(out.measures[0].intGlobalPercent, 45);
}

TEST_F(ExternalizeRefusalTest, CellsAWeightedMeasureDoesNotUseAreNotRead) {
    StringGrid& grid = editors.sgdMeasures;
    grid.setCell(kMeasuresPosTotal, 2, "not a number");
    grid.setCell(kMeasuresGlobalPercentage, 2, "?");
    const ModelArrays out = editors.externalize();
    EXPECT_EQ(out.measures[1].dblPosTotal, 0.0);
    EXPECT_EQ(out.measures[1].intGlobalPercent, 0);
    EXPECT_EQ(out.measures[1].intIrregularityType, 0);
}

}  // namespace
}  // namespace vantorell
