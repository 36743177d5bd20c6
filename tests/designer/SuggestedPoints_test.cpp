#include "designer/rtnReaderWriter/SuggestedPoints.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <utility>

#include "tests/support/ModelBuilder.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

ModelArrays withMeasures(std::size_t count, ModelArrays model = {}) {
    model.measures.clear();
    for (std::size_t m = 0; m < count; ++m) {
        model.measures.push_back(test::independent("M", "M", 100, 0, 0, 10));
    }
    return model;
}

// `dimensions` flat dimensions of `leaves` leaves each.
ModelArrays flatDimensions(int dimensions, int leaves) {
    ModelArrays model;
    for (int d = 0; d < dimensions; ++d) {
        for (int c = 0; c < leaves; ++c) {
            model.categories.push_back(test::category("L", "L", 1, d));
        }
    }
    return model;
}

TEST(SuggestedPointsTest, FiguresByMeasuresAndCategories) {
    const ModelArrays categories = test::smallModel();
    ModelArrays deep;  // a parent at each level above one leaf, then two flat leaves
    deep.categories = {test::category("A", "A", 1, 0), test::category("B", "B", 2, 0),
                       test::category("C", "C", 3, 0), test::category("D", "D", 1, 1),
                       test::category("E", "E", 1, 1)};
    struct Case {
        const char* what;
        ModelArrays model;
        std::int32_t minimum;
        std::int64_t suggested;
    } cases[] = {
        // 3 regions by 4 products.
        {"3 measures with categories", withMeasures(3, categories), 303, 12},
        {"3 measures without a category", withMeasures(3), 300, 0},
        {"no measures", withMeasures(0, categories), 0, 12},
        {"nothing", ModelArrays{}, 0, 0},
        {"the small model as it stands", categories, 202, 12},
        {"a deep dimension counts its leaves only", deep, 0, 2},
        {"one leaf", flatDimensions(1, 1), 0, 1},
        {"8 dimensions of 100 leaves, beyond 32 bits", flatDimensions(8, 100), 0,
         10'000'000'000'000'000},
        {"10 dimensions of 100 leaves, beyond 64 bits", flatDimensions(10, 100), 0,
         std::numeric_limits<std::int64_t>::max()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::int32_t minimum = -1;
        std::int64_t suggested = -1;
        EXPECT_TRUE(flgGetSuggestedPoints(c.model, minimum, suggested, 0));
        EXPECT_EQ(minimum, c.minimum);
        EXPECT_EQ(suggested, c.suggested);
    }
}

TEST(SuggestedPointsTest, TheFigureShownStopsAtTheLargestInteger) {
    const std::pair<std::int64_t, std::int32_t> shown[] = {
        {0, 0},
        {1152, 1152},
        {2'147'483'647, 2'147'483'647},
        {2'147'483'648, 2'147'483'647},
        {std::numeric_limits<std::int64_t>::max(), 2'147'483'647},
    };
    for (const auto& [figure, text] : shown) {
        EXPECT_EQ(intSuggestedPointsShown(figure), text) << figure;
    }
}

TEST(SuggestedPointsTest, EachComparisonGoesOutUnderBit16) {
    ModelArrays model;
    model.categories = {test::category("Hardware", "H", 1, 0), test::category("PC", "P", 2, 0),
                        test::category("North", "N", 1, 1)};
    test::TestMessages messages;
    messages.expect("Comparing current level 1 to next: 2 at 0")
        .expect("Comparing current level 2 to next: 1 at 1");
    std::int32_t minimum = 0;
    std::int64_t suggested = 0;
    flgGetSuggestedPoints(model, minimum, suggested, 16 | 1);
    EXPECT_EQ(suggested, 1);
    flgGetSuggestedPoints(model, minimum, suggested, 0xffff & ~16);  // no message
}

TEST(SuggestedPointsTest, MinimumBeyondTheIntegerRangeRaises) {
    EXPECT_EQ(intMinimumPoints(21'262'214, true), 2'147'483'614);
    EXPECT_THROW(intMinimumPoints(21'262'215, true), std::overflow_error);
    EXPECT_EQ(intMinimumPoints(21'474'836, false), 2'147'483'600);
    EXPECT_THROW(intMinimumPoints(21'474'837, false), std::overflow_error);
    EXPECT_THROW(intMinimumPoints(std::size_t{1} << 40, false), std::overflow_error);
}

}  // namespace
}  // namespace vantorell
