// Balancing a run of shares to a target: the step rule, the changeability test and the
// balancing itself.
#include "designer/frmMain/Balancing.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

std::int64_t total(const TDynamicArrayOfStrings& texts) {
    std::int64_t sum = 0;
    for (const std::string& t : texts) {
        sum += std::stoll(t[0] == '|' ? t.substr(1) : t);
    }
    return sum;
}

TEST(BalancingTest, StepRule) {
    const std::pair<std::int64_t, std::int64_t> cases[] = {
        {345, 10},  {7, 1},  {12, 1},   {1000000, 100000}, {0, 1000},
        {-345, 10}, {99, 1}, {100, 10}, {999999, 10000},   {1, 1},
    };
    for (const auto& [value, step] : cases) {
        EXPECT_EQ(intPercentageGetStep(value), step) << value;
    }
}

TEST(BalancingTest, AChangeGoesToEntriesOfItsOwnMagnitudeFirst) {
    const TDynamicArrayOfStrings texts = {"500000", "40", "|30"};
    // A step of 10000 matches the first entry's own step.
    EXPECT_TRUE(flgArrPercentagesIsCellChangeable(10000, -1, texts, -1, 0));
    // A step of 1 is the second entry's: the first may not take it while the second can.
    EXPECT_FALSE(flgArrPercentagesIsCellChangeable(1, -1, texts, -1, 0));
    EXPECT_TRUE(flgArrPercentagesIsCellChangeable(1, -1, texts, 1, 0));
    // A locked entry never stands in for another.
    EXPECT_TRUE(flgArrPercentagesIsCellChangeable(1, -1, {"500000", "|30"}, -1, 0));
}

// The changeability test as first written: a walk over every entry.
bool changeableByWalk(std::int64_t step, int direction, const std::vector<Share>& shares, int skip,
                      int index) {
    const Share& own = shares[static_cast<std::size_t>(index)];
    if (step >= (own.locked ? step + 1 : intPercentageGetStep(own.value))) {
        return true;
    }
    const int n = static_cast<int>(shares.size());
    for (int i = 0; i < n; ++i) {
        const int p = (index + i) % n;
        const Share& other = shares[static_cast<std::size_t>(p)];
        if (!other.locked && p != skip && step >= intPercentageGetStep(other.value) &&
            flgShareInRange(other.value + direction)) {
            return false;
        }
    }
    return true;
}

TEST(BalancingTest, TheCountedTestAgreesWithAWalkOverTheGroup) {
    std::mt19937 random(7);
    const std::int64_t values[] = {0,    1,    9,     10,     99,     100,    999,
                                   1000, 5000, 99999, 100000, 999999, 1000000};
    const std::int64_t steps[] = {0, 1, 5, 10, 99, 100, 1000, 10000, 100000, 100001};
    auto pick = [&](auto& from) { return from[random() % std::size(from)]; };
    for (int round = 0; round < 200; ++round) {
        std::vector<Share> shares(1 + random() % 6);
        for (Share& s : shares) {
            s = Share{pick(values), random() % 4 == 0};
        }
        ShareGroup group(shares);
        for (int change = 0; change < 5; ++change) {
            const int n = static_cast<int>(shares.size());
            for (const std::int64_t step : steps) {
                for (const int direction : {-1, 1}) {
                    for (int skip = -1; skip < n; ++skip) {
                        for (int index = 0; index < n; ++index) {
                            ASSERT_EQ(group.flgChangeable(step, direction, skip, index),
                                      changeableByWalk(step, direction, shares, skip, index))
                                << "round " << round << " step " << step << " index " << index;
                        }
                    }
                }
            }
            const int i = static_cast<int>(random() % shares.size());
            shares[static_cast<std::size_t>(i)].value = pick(values);
            group.setValue(i, shares[static_cast<std::size_t>(i)].value);
        }
    }
}

TEST(BalancingTest, RunsReachTheirTarget) {
    struct Case {
        TDynamicArrayOfStrings texts;
        bool fromEnd;
        TDynamicArrayOfStrings expected;
    };
    const Case cases[] = {
        {{"333333", "333333", "333333"}, false, {"333334", "333333", "333333"}},
        {{"333333", "333333", "333333"}, true, {"333333", "333333", "333334"}},
        {{"300000"}, false, {"1000000"}},
        {{"0", "0"}, false, {"500000", "500000"}},
        {{"|700000", "100000", "0"}, false, {"|700000", "290000", "10000"}},
        {{"600000", "600000"}, false, {"500000", "500000"}},
    };
    test::TestMessages messages;
    for (const Case& c : cases) {
        TDynamicArrayOfStrings texts = c.texts;
        strArrBalanceToNPercent(texts, 0, static_cast<int>(texts.size()) - 1, c.fromEnd, 1000000);
        EXPECT_EQ(total(texts), 1000000);
        EXPECT_EQ(texts, c.expected);
    }
}

TEST(BalancingTest, ARunThatCannotReachItsTargetSaysSoAndStops) {
    test::TestMessages messages;
    messages.expect("The percent bars where not properly balanced to 1000000 percent.");
    TDynamicArrayOfStrings texts = {"|200000", "|300000"};
    strArrBalanceToNPercent(texts, 0, 1, false, 1000000);
    EXPECT_EQ(texts, (TDynamicArrayOfStrings{"|200000", "|300000"}));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Balancing Percentages");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);

    messages.expect("The percent bars where not properly balanced to 500000 percent.");
    TDynamicArrayOfStrings over = {"|600000", "0"};
    strArrBalanceToNPercent(over, 0, 1, false, 500000);
    EXPECT_EQ(over, (TDynamicArrayOfStrings{"|600000", "0"}));
}

TEST(BalancingTest, OnlyTheRunIsTouched) {
    test::TestMessages messages;
    TDynamicArrayOfStrings texts = {"7", "200000", "200000", "9"};
    strArrBalanceToNPercent(texts, 1, 2, false, 1000000);
    EXPECT_EQ(texts, (TDynamicArrayOfStrings{"7", "500000", "500000", "9"}));
}

}  // namespace
}  // namespace vantorell
