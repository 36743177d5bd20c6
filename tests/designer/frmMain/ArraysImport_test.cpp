// Internalize in import mode: dimensions of another model join the tree, and every measure
// row of the current model takes its values from the imported measure assigned to it.
#include <gtest/gtest.h>

#include <sstream>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/ModelDump.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEditors.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using namespace test;

// Region (North "N", South "S"); Sales (independent, irregularity type 2), Units (weighted
// from Sales over Region), Cost (independent).
ModelArrays target() {
    ModelArrays m;
    m.dimensions = {dimension("Region", "REG")};
    m.categories = {category("North", "N", 1, 0), category("South", "S", 1, 0)};
    m.measures = {independent("Sales", "SAL", 1000, 0, 2, 0), weighted("Units", "UNI", 0, 0),
                  independent("Cost", "CST", 50, 0, 0, 100)};
    m.values = {share(0, 0, 0, 1000000, 1000000), share(0, 0, 1, 0, 0),
                ratios(1, 0, 0, 1, 1, 1),         ratios(1, 0, 1, 2, 2, 2),
                share(2, 0, 0, 500000, 1000000),  share(2, 0, 1, 500000, 0)};
    m.irregularities = {irregularity(0, 0, 0.1, 0, 0)};
    return m;
}

// Product "REG" (Hardware "N" > Laptops, Desktops; Services) and Channel (Web, Shop); Rev
// (independent, irregularity type 2), Qty (weighted from Rev over Product), Misc.
ModelArrays source() {
    ModelArrays m;
    m.dimensions = {dimension("Product", "REG"), dimension("Channel", "CH")};
    m.categories = {category("Hardware", "N", 1, 0),   category("Laptops", "LAP", 2, 0),
                    category("Desktops", "DSK", 2, 0), category("Services", "SRV", 1, 0),
                    category("Web", "WEB", 1, 1),      category("Shop", "SHP", 1, 1)};
    m.measures = {independent("Rev", "REV", 500, 20, 2, 0), weighted("Qty", "QTY", 0, 0),
                  independent("Misc", "MSC", 9, 0, 0, 30)};
    m.values = {share(0, 0, 0, 700000, 1000000),
                share(0, 0, 1, 250000, 1000000),
                share(0, 0, 2, 750000, 0),
                share(0, 0, 3, 300000, 0),
                share(0, 1, 4, 400000, 500000),
                share(0, 1, 5, 600000, 500000),
                ratios(1, 0, 1, 0.5, 2, 1),
                ratios(1, 0, 2, 0.25, 1.5, 0.75),
                ratios(1, 0, 3, 1, 3, 2),
                share(2, 0, 0, 1000000, 1000000),
                share(2, 0, 3, 0, 0)};
    m.irregularities = {irregularity(0, 0, 0.5, 0.25, 2), irregularity(0, 1, 0.75, 0, 0)};
    return m;
}

class ArraysImportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(editors.internalize(target())); }

    // Each node from the first imported dimension on: name|code, then per measure row its
    // element: shares "positive/negative" for independent rows, ratios "minimum,maximum,
    // average" for weighted ones, irregularities "standard,inter-family,family" on dimensions.
    std::string imported(int firstDimension = 1) const {
        std::ostringstream s;
        const TreeNode* n = editors.tvwDimsCats.topLevelItem(firstDimension);
        for (; n != nullptr; n = n->getNext()) {
            s << n->text() << "|" << strNodeCode(*n);
            const TDimsCatsData* data = nodeData(*n);
            for (std::size_t k = 0; k < data->extDataSize(); ++k) {
                s << " [";
                if (const auto* irr = data->irregularities()) {
                    const TIrregularitiesWorksetItem& i = (*irr)[k];
                    s << i.dblStandardIrregularity << "," << i.dblInterFamilyIrregularity << ","
                      << i.intIrregularityFamilyNumber;
                } else {
                    const TMeasureValuesWorksetItem& v = (*data->measureValues())[k];
                    if (intMeasuresGetTypeNumber(editors.sgdMeasures, static_cast<int>(k) + 1) ==
                        kMeasureTypeWeighted) {
                        s << v.dblMinimumRatio << "," << v.dblMaximumRatio << ","
                          << v.dblAverageRatio;
                    } else {
                        s << v.intPercentage << "/" << v.intNegPercentage;
                    }
                }
                s << "]";
            }
            s << "\n";
        }
        return s.str();
    }

    TempFolder program;
    TestMessages messages;
    TestEditors editors{program.path()};
};

const char* const kAllDefaults =
    "Product|REG1 [0,0,0] [0,0,0] [0,0,0]\n"
    "Hardware|N1 [1000000/1000000] [1,1,1] [1000000/1000000]\n"
    "Laptops|LAP [1000000/1000000] [1,1,1] [1000000/1000000]\n"
    "Desktops|DSK [0/0] [1,1,1] [0/0]\n"
    "Services|SRV [0/0] [1,1,1] [0/0]\n"
    "Channel|CH [0,0,0] [0,0,0] [0,0,0]\n"
    "Web|WEB [1000000/1000000] [1,1,1] [1000000/1000000]\n"
    "Shop|SHP [0/0] [1,1,1] [0/0]\n";

TEST_F(ArraysImportTest, Translations) {
    struct Case {
        const char* name;
        bool measureless;
        TArrImportMeasuresTranslation measures;
        TArrImportDimensionsTranslation dimensions;
        std::string expected;
    };
    TImportDimensionsTranslation renamed = includeDimension();
    renamed.strNewDimensionName = "Sales Channel";
    renamed.strNewDimensionCode = "N";
    const Case cases[] = {
        {"independent and weighted measures, one row untranslated",
         false,
         {0, 1, -1},
         {includeDimension(), includeDimension()},
         "Product|REG1 [0.5,0.25,2] [0,0,0] [0,0,0]\n"
         "Hardware|N1 [700000/1000000] [1,1,1] [1000000/1000000]\n"
         "Laptops|LAP [250000/1000000] [0.5,2,1] [1000000/1000000]\n"
         "Desktops|DSK [750000/0] [0.25,1.5,0.75] [0/0]\n"
         "Services|SRV [300000/0] [1,3,2] [0/0]\n"
         "Channel|CH [0.75,0,0] [0,0,0] [0,0,0]\n"
         "Web|WEB [400000/500000] [1,1,1] [1000000/1000000]\n"
         "Shop|SHP [600000/500000] [1,1,1] [0/0]\n"},
        {"an excluded dimension, a new name and a new code",
         false,
         {2, -1, 0},
         {TImportDimensionsTranslation{}, renamed},
         "Sales Channel|N1 [0,0,0] [0,0,0] [0.75,0,0]\n"
         "Web|WEB [1000000/1000000] [1,1,1] [400000/500000]\n"
         "Shop|SHP [0/0] [1,1,1] [600000/500000]\n"},
        {"measures of another type or none",
         false,
         {1, 0, 7},
         {includeDimension(), includeDimension()},
         kAllDefaults},
        {"a translation shorter than the rows",
         false,
         {},
         {includeDimension(), includeDimension()},
         kAllDefaults},
        {"a source without measures",
         true,
         {0, -1, 2},
         {includeDimension(), includeDimension()},
         kAllDefaults},
        {"a dimension translation shorter than the dimensions", false, {0, 1, 2}, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(editors.internalize(target()));
        ModelArrays model = source();
        if (c.measureless) {
            model.measures.clear();
            model.values.clear();
            model.irregularities.clear();
        }
        ASSERT_TRUE(editors.import(model, c.measures, c.dimensions));
        EXPECT_EQ(imported(), c.expected);
    }
}

TEST_F(ArraysImportTest, TheCurrentModelStaysAndItsRowsTakeTheImportedTotals) {
    const std::string before = imported(0);
    ModelArrays model = source();
    editors.checksum = "before the import";
    editors.setStatusText("");
    ASSERT_TRUE(nulInternalizeReaderWriterArrays(editors, model, editors.checksum, {0, 1, 2},
                                                 {includeDimension(), includeDimension()}, true,
                                                 "x", "Arrays.log"));
    EXPECT_EQ(editors.checksum, "before the import");
    EXPECT_TRUE(model.dimensions.empty() && model.categories.empty() && model.measures.empty() &&
                model.values.empty() && model.irregularities.empty());
    EXPECT_EQ(editors.statusText(),
              ", Internalize: 00:00:00.000 (2 Dimensions, 6 Categories, 3 Measures, "
              "2 Irregularities, 11 Measure Values)");
    EXPECT_EQ(imported(0).substr(0, before.size()), before);

    const StringGrid& grid = editors.sgdMeasures;
    const std::vector<std::vector<std::string>> rows = {
        {"Sales", "SAL", "Independent", "500", "20", "Vary by Dim. + Up to 2 Families", "0",
         "Sales", "Region"},
        {"Units", "UNI", "Weighted", "0", "0", "Vary by Global Percentage", "0", "Sales", "Region"},
        {"Cost", "CST", "Independent", "9", "0", "Vary by Global Percentage", "30", "Sales",
         "Region"},
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            EXPECT_EQ(grid.cell(static_cast<int>(c), static_cast<int>(r) + 1), rows[r][c])
                << "row " << r << " column " << c;
        }
    }
    // The merged model converts: the imported dimensions follow the current one.
    const ModelArrays out = editors.externalize();
    ASSERT_EQ(out.dimensions.size(), 3u);
    EXPECT_EQ(out.dimensions[1].strCode.str(), "REG1");
    EXPECT_EQ(out.categories.size(), 8u);
}

TEST_F(ArraysImportTest, IntoAnEmptyModel) {
    ASSERT_TRUE(editors.internalize({}));
    ASSERT_TRUE(editors.import(source(), {}, {includeDimension(), includeDimension()}));
    EXPECT_EQ(imported(0),
              "Product|REG [0,0,0]\nHardware|N [0/0]\nLaptops|LAP [0/0]\nDesktops|DSK [0/0]\n"
              "Services|SRV [0/0]\nChannel|CH [0,0,0]\nWeb|WEB [0/0]\nShop|SHP [0/0]\n");
    const ModelArrays out = editors.externalize();
    EXPECT_EQ(out.categories.size(), 6u);
    EXPECT_TRUE(out.measures.empty());
}

// Deep: A > a1 > (a11, a12), a2; B > b1; C. Leaves in order: a11, a12, a2, b1, C.
ModelArrays deepSource() {
    ModelArrays m;
    m.dimensions = {dimension("Deep", "DP")};
    m.categories = {category("A", "A", 1, 0),     category("a1", "a1", 2, 0),
                    category("a11", "a11", 3, 0), category("a12", "a12", 3, 0),
                    category("a2", "a2", 2, 0),   category("B", "B", 1, 0),
                    category("b1", "b1", 2, 0),   category("C", "C", 1, 0)};
    m.measures = {independent("Rev", "REV", 500, 20, 0, 10)};
    const int positive[] = {300000, 400000, 100000, 900000, 600000, 500000, 1000000, 200000};
    const int negative[] = {7, 1000000, 999999, 1, 0, 999993, 1000000, 0};
    for (int c = 0; c < 8; ++c) {
        m.values.push_back(share(0, 0, c, positive[c], negative[c]));
    }
    return m;
}

TEST_F(ArraysImportTest, TheCategoryLimitKeepsEveryGroupAtOneHundredPercent) {
    struct Case {
        int limit;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {1, {"A", "a1", "a11"}},
        {2, {"A", "a1", "a11", "a12"}},
        {3, {"A", "a1", "a11", "a12", "a2"}},
        {4, {"A", "a1", "a11", "a12", "a2", "B", "b1"}},
        {5, {"A", "a1", "a11", "a12", "a2", "B", "b1", "C"}},
        {0, {"A", "a1", "a11", "a12", "a2", "B", "b1", "C"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        ASSERT_TRUE(editors.internalize(target()));
        TImportDimensionsTranslation limited = includeDimension();
        limited.intCategoryLimit = c.limit;
        ASSERT_TRUE(editors.import(deepSource(), {0, -1, -1}, {limited}));
        const TreeNode* deep = editors.tvwDimsCats.topLevelItem(1);
        std::vector<std::string> names;
        for (const TreeNode* n = deep->getFirstChild(); n != nullptr; n = n->getNext()) {
            names.push_back(n->text());
        }
        EXPECT_EQ(names, c.names);
        // Every sibling group, for both independent rows (one imported, one defaulted) and
        // both signs.
        for (const TreeNode* parent = deep; parent != nullptr; parent = parent->getNext()) {
            if (!parent->hasChildren()) {
                continue;
            }
            for (const int k : {0, 2}) {
                long long positive = 0;
                long long negative = 0;
                for (const TreeNode* n = parent->getFirstChild(); n != nullptr;
                     n = n->getNextSibling()) {
                    positive += measureValueItem(*n, k)->intPercentage;
                    negative += measureValueItem(*n, k)->intNegPercentage;
                }
                EXPECT_EQ(positive, kFullPercentage) << parent->text() << " row " << k;
                EXPECT_EQ(negative, kFullPercentage) << parent->text() << " row " << k;
            }
        }
    }
}

TEST_F(ArraysImportTest, AGroupThatLostNoMemberKeepsItsShares) {
    TImportDimensionsTranslation limited = includeDimension();
    limited.intCategoryLimit = 2;
    ModelArrays model = deepSource();
    model.values[2].intPercentage = 100;  // a11 + a12 no longer add up to 100 %
    ASSERT_TRUE(editors.import(model, {0, -1, -1}, {limited}));
    const TreeNode* a1 = editors.tvwDimsCats.topLevelItem(1)->getFirstChild()->getFirstChild();
    EXPECT_EQ(measureValueItem(*a1->item(0), 0)->intPercentage, 100);
    EXPECT_EQ(measureValueItem(*a1->item(1), 0)->intPercentage, 900000);
    EXPECT_EQ(measureValueItem(*a1, 0)->intPercentage, kFullPercentage);
}

}  // namespace
}  // namespace vantorell
