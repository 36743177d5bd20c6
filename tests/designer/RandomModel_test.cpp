// The random model generator that other tests build on.
#include "tests/support/RandomModel.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/ModelInvariants.h"

namespace vantorell {
namespace {

bool isParent(const TArrCategories& cats, int c) {
    return c + 1 < static_cast<int>(cats.size()) &&
           cats[c + 1].intParentDimensionIndex == cats[c].intParentDimensionIndex &&
           cats[c + 1].bytLevelNumber > cats[c].bytLevelNumber;
}

TEST(RandomModelTest, ModelsAreValidAndVaried) {
    std::set<int> depths, irregularityTypes;
    int negativeTotals = 0, weighted = 0, flat = 0;
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        const ModelArrays m = test::randomModel(seed);
        ASSERT_TRUE(test::modelArraysValid(m)) << "seed " << seed;
        for (const TDimensionRecord& d : m.dimensions) {
            int depth = 0;
            for (int c = d.intFirstCategoryIndex; c < d.intFirstCategoryIndex + d.intCategoryCount;
                 ++c) {
                depth = std::max(depth, m.categories[c].bytLevelNumber);
            }
            depths.insert(depth);
            flat += depth == 1;
        }
        for (std::size_t i = 0; i < m.measures.size(); ++i) {
            const TMeasureRecord& measure = m.measures[i];
            if (measure.chrType == 'W') {
                ++weighted;
                ASSERT_LT(measure.intSourceMeasureIndex, static_cast<int>(i));
                ASSERT_EQ(m.measures[measure.intSourceMeasureIndex].chrType, 'I');
                continue;
            }
            irregularityTypes.insert(measure.intIrregularityType);
            negativeTotals += measure.dblNegTotal > 0;
        }
        // Parents never get a share of 0 on a side the file carries.
        for (const TMeasureValueRecord& v : m.values) {
            const TMeasureRecord& measure = m.measures[v.intMeasureIndex];
            if (measure.chrType == 'I' && isParent(m.categories, v.intCategoryIndex)) {
                ASSERT_GT(v.intPercentage, 0) << "seed " << seed;
                if (measure.dblNegTotal > 0) {
                    ASSERT_GT(v.intNegPercentage, 0) << "seed " << seed;
                }
            }
        }
    }
    EXPECT_EQ(depths, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(irregularityTypes, (std::set<int>{0, 1, 2, 3}));
    EXPECT_GT(negativeTotals, 50);
    EXPECT_GT(weighted, 50);
    EXPECT_GT(flat, 50);
}

TEST(RandomModelTest, LargeModelsHaveTheAskedSize) {
    test::RandomModelOptions options;
    options.totalCategories = 5000;
    options.totalMeasures = 10;
    options.printableOnly = true;
    const ModelArrays m = test::randomModel(1, options);
    EXPECT_EQ(m.categories.size(), 5000u);
    EXPECT_EQ(m.measures.size(), 10u);
    EXPECT_TRUE(test::modelArraysValid(m));
    for (const TCategoryRecord& c : m.categories) {
        for (const char ch : c.strName.str()) {
            ASSERT_TRUE(ch >= 32 && ch <= 126) << c.strName.str();
        }
    }
}

}  // namespace
}  // namespace vantorell
