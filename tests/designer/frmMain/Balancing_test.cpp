// Balancing a run of shares to a target: the step rule, the changeability test and the
// balancing itself.
#include "designer/frmMain/Balancing.h"

#include <gtest/gtest.h>

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
