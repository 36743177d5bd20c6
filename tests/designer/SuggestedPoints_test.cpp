#include "designer/rtnReaderWriter/SuggestedPoints.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

TEST(SuggestedPointsTest, FiguresByMeasuresAndCategories) {
    const ModelArrays categories = test::smallModel();
    struct Case {
        const char* what;
        ModelArrays model;
        std::int32_t minimum;
        std::int32_t suggested;
    } cases[] = {
        {"3 measures with categories", withMeasures(3, categories), 303, 1},
        {"3 measures without a category", withMeasures(3), 300, 0},
        {"no measures", withMeasures(0, categories), 0, 1},
        {"nothing", ModelArrays{}, 0, 0},
        {"the small model as it stands", categories, 202, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::int32_t minimum = -1;
        std::int32_t suggested = -1;
        EXPECT_TRUE(flgGetSuggestedPoints(c.model, minimum, suggested, 0));
        EXPECT_EQ(minimum, c.minimum);
        EXPECT_EQ(suggested, c.suggested);
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
    std::int32_t suggested = 0;
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
