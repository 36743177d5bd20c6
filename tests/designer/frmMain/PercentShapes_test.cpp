// The shape commands: every group they fill is unlocked, holds shares within 0..100 % that
// add up to exactly 100 %, and has the shape's form; the curve routines behind them.
#include "designer/frmMain/PercentShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "tests/support/ShareEditors.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::ShareEditors;
using Shares = std::vector<std::string>;
using Values = std::vector<std::int64_t>;

// A group of n siblings whose shares sum to 100 %, every third one locked.
Shares startingShares(int n) {
    Shares shares;
    std::int64_t left = 1000000;
    for (int i = 0; i < n; ++i) {
        const std::int64_t share = i + 1 == n ? left : left / 2;
        left -= share;
        shares.push_back((i % 3 == 1 ? "|" : "") + std::to_string(share));
    }
    return shares;
}

// A repeatable random source: 0, 1, 2, ... modulo the bound.
std::function<int(int)> countingRandom() {
    auto next = std::make_shared<int>(0);
    return [next](int bound) { return (*next)++ % bound; };
}

bool rising(const Values& v, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i + 1 <= to; ++i) {
        if (v[i] > v[i + 1]) {
            return false;
        }
    }
    return true;
}

bool falling(const Values& v, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i + 1 <= to; ++i) {
        if (v[i] < v[i + 1]) {
            return false;
        }
    }
    return true;
}

struct ShapeCase {
    const char* name;
    void (*command)(EditorState&);
    // The form the shares must have, given as a check over their values.
    std::function<bool(const Values&)> form;
};

const ShapeCase kShapes[] = {
    // Equal but for the rounding of 100 % / n, which a row or a few take up.
    {"Level", tbnMeasureValuesLevelClick,
     [](const Values& v) {
         const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
         return *hi - *lo <= std::max<std::int64_t>(1, static_cast<std::int64_t>(v.size()) / 2);
     }},
    {"Rising", tbnMeasureValuesRisingClick,
     [](const Values& v) { return rising(v, 0, v.size() - 1); }},
    {"Falling", tbnMeasureValuesFallingClick,
     [](const Values& v) { return falling(v, 0, v.size() - 1); }},
    {"Curving up", tbnMeasureValuesCurvingUpClick,
     [](const Values& v) { return rising(v, 0, v.size() - 1); }},
    {"Curving down", tbnMeasureValuesCurvingDownClick,
     [](const Values& v) { return falling(v, 0, v.size() - 1); }},
    {"Peak", tbnMeasureValuesPeakClick,
     [](const Values& v) {
         const std::size_t middle = (v.size() - 1) / 2;
         return rising(v, 0, middle) && falling(v, v.size() / 2, v.size() - 1);
     }},
    {"Valley", tbnMeasureValuesValleyClick,
     [](const Values& v) {
         const std::size_t middle = (v.size() - 1) / 2;
         return falling(v, 0, middle) && rising(v, v.size() / 2, v.size() - 1);
     }},
    {"Random", tbnMeasureValuesRandomClick, [](const Values&) { return true; }},
};

TEST(PercentShapesTest, EveryShapeFillsTheGroupToExactly100Percent) {
    test::TestMessages messages;  // no balancing message may come
    for (const ShapeCase& shape : kShapes) {
        for (const int n : {1, 2, 3, 4, 5, 6, 7, 10, 11, 99, 100, 1001}) {
            SCOPED_TRACE(std::string(shape.name) + " of " + std::to_string(n));
            ShareEditors e(startingShares(n));
            e.randomNumber = countingRandom();
            shape.command(e);
            const Shares shares = e.nodeShares(false);
            EXPECT_EQ(e.gridShares(), shares);
            EXPECT_EQ(test::shareSum(shares), 1000000);
            const Values values = test::shareValues(shares);
            for (std::size_t i = 0; i < shares.size(); ++i) {
                ASSERT_NE(shares[i][0], '|') << "row " << i + 1 << " still locked";
                ASSERT_GE(values[i], 0);
                ASSERT_LE(values[i], 1000000);
            }
            EXPECT_TRUE(shape.form(values)) << ::testing::PrintToString(values);
            // The other sign keeps its shares.
            EXPECT_EQ(test::shareValues(e.nodeShares(true)), test::shareValues(startingShares(n)));
        }
    }
}

TEST(PercentShapesTest, ValuesOfSmallGroups) {
    test::TestMessages messages;
    struct Case {
        void (*command)(EditorState&);
        int n;
        Shares expected;
    };
    const Case cases[] = {
        // 333333 three times; the balancing adds 1 to the first row.
        {tbnMeasureValuesLevelClick, 3, {"333334", "333333", "333333"}},
        {tbnMeasureValuesLevelClick, 1, {"1000000"}},
        // 125000, 250000, 375000, 500000 less 250000, a tenth of each row at a time.
        {tbnMeasureValuesRisingClick, 4, {"91125", "200125", "303750", "405000"}},
        // The same in reverse, balanced from the last row.
        {tbnMeasureValuesFallingClick, 4, {"405000", "303750", "200125", "91125"}},
        {tbnMeasureValuesPeakClick, 1, {"1000000"}},
        {tbnMeasureValuesValleyClick, 1, {"1000000"}},
        {tbnMeasureValuesPeakClick, 2, {"500000", "500000"}},
        {tbnMeasureValuesValleyClick, 2, {"500000", "500000"}},
    };
    for (const Case& c : cases) {
        ShareEditors e(startingShares(c.n));
        c.command(e);
        EXPECT_EQ(e.nodeShares(false), c.expected);
    }
}

TEST(PercentShapesTest, OddValleysAreLowestInTheMiddle) {
    test::TestMessages messages;
    for (const int n : {3, 5, 7, 9}) {
        ShareEditors e(startingShares(n));
        tbnMeasureValuesValleyClick(e);
        const Values v = test::shareValues(e.nodeShares(false));
        const auto middle = static_cast<std::size_t>(n / 2);
        EXPECT_LT(v[middle], v[middle + 1]) << n;
        EXPECT_EQ(v[middle - 1], v[middle + 1]) << n;
    }
}

TEST(PercentShapesTest, TheShownSignIsShaped) {
    test::TestMessages messages;
    ShareEditors e({"250000", "750000"}, {"900000", "100000"});
    e.load(true);
    tbnMeasureValuesLevelClick(e);
    EXPECT_EQ(e.nodeShares(true), (Shares{"500000", "500000"}));
    EXPECT_EQ(e.nodeShares(false), (Shares{"250000", "750000"}));
}

TEST(PercentShapesTest, RandomSharesComeFromTheGivenSource) {
    test::TestMessages messages;
    ShareEditors first(startingShares(50));
    ShareEditors second(startingShares(50));
    std::vector<int> bounds;
    for (ShareEditors* e : {&first, &second}) {
        auto source = countingRandom();
        e->randomNumber = [source, &bounds](int bound) {
            bounds.push_back(bound);
            return source(bound);
        };
        tbnMeasureValuesRandomClick(*e);
    }
    EXPECT_EQ(first.nodeShares(false), second.nodeShares(false));
    ASSERT_EQ(bounds.size(), 100u);
    EXPECT_EQ(bounds.front(), 20000);  // Round(1,000,000 / 50)
}

TEST(PercentShapesTest, AWeightedMeasureIsNotShaped) {
    ShareEditors e({"|250000", "750000"});
    e.sgdMeasures.setCell(kMeasuresType, 1, kMeasureTypeTexts[kMeasureTypeWeighted]);
    tbnMeasureValuesRisingClick(e);
    EXPECT_EQ(e.nodeShares(false), (Shares{"|250000", "750000"}));
}

TEST(PercentShapesTest, CurveRoutines) {
    EXPECT_DOUBLE_EQ(dblLinearValueGet(3, 4, 500000), 375000);
    // From b + (d - b) / e² at 0 the curve reaches d at c.
    EXPECT_NEAR(dblCurveValueGet(0, 100, 10, 1100), 100 + 1000 / std::exp(2.0), 1e-9);
    EXPECT_NEAR(dblCurveValueGet(10, 100, 10, 1100), 1100, 1e-9);
    EXPECT_NEAR(dblCurveValueGet(5, 100, 10, 1100), 100 + 1000 / std::exp(1.0), 1e-9);
}

}  // namespace
}  // namespace vantorell
