#include "designer/rtnReaderWriter/LostShares.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>

#include "tests/support/ModelCompare.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

// Revenue's value records in the small model, by the category each holds.
constexpr std::size_t kLaptops = 3, kDesktops = 4, kPhones = 5, kServices = 6, kHardware = 7,
                      kComputers = 8;

void setShares(ModelArrays& m, std::initializer_list<std::pair<std::size_t, std::int32_t>> shares,
               bool negative = false) {
    for (const auto& [record, share] : shares) {
        (negative ? m.values[record].intNegPercentage : m.values[record].intPercentage) = share;
    }
}

// The shares of the first measure by category, positive and negative.
std::map<std::int32_t, std::pair<std::int32_t, std::int32_t>> revenueShares(const ModelArrays& m) {
    std::map<std::int32_t, std::pair<std::int32_t, std::int32_t>> shares;
    for (const TMeasureValueRecord& v : m.values) {
        if (v.intMeasureIndex == 0) {
            shares[v.intCategoryIndex] = {v.intPercentage, v.intNegPercentage};
        }
    }
    return shares;
}

std::string text(const std::vector<LostShares>& lost) {
    std::string t;
    for (const LostShares& l : lost) {
        t += std::to_string(l.intMeasureIndex) + ":" + std::to_string(l.intCategoryIndex) +
             (l.flgNegative ? "-" : "+") + " ";
    }
    return t;
}

// What is found is what a save and a read give back differently: each case is saved and
// opened again.
TEST(LostSharesTest, FoundExactlyWhereTheFileDoesNotKeepTheShares) {
    struct Case {
        const char* what;
        std::function<void(ModelArrays&)> change;
        std::string lost;  // measure:category and side of each category found
    } cases[] = {
        {"the model as it stands", [](ModelArrays&) {}, ""},
        {"a leaf at 0 %",
         [](ModelArrays& m) {
             setShares(m, {{0, 0}, {1, 800000}});
         },
         ""},
        {"Hardware at 0 %",
         [](ModelArrays& m) {
             setShares(m, {{kHardware, 0}, {kServices, 1'000'000}});
         },
         "0:3+ "},
        {"Hardware at 0 %, the first below it at 100 % in each group",
         [](ModelArrays& m) {
             setShares(m, {{kHardware, 0},
                           {kServices, 1'000'000},
                           {kComputers, 1'000'000},
                           {kPhones, 0},
                           {kLaptops, 1'000'000},
                           {kDesktops, 0}});
         },
         ""},
        {"Hardware and Computers at 0 %: found once, at the upper one",
         [](ModelArrays& m) {
             setShares(
                 m,
                 {{kHardware, 0}, {kServices, 1'000'000}, {kComputers, 0}, {kPhones, 1'000'000}});
         },
         "0:3+ "},
        {"Computers at 0 %",
         [](ModelArrays& m) {
             setShares(m, {{kComputers, 0}, {kPhones, 1'000'000}});
         },
         "0:4+ "},
        // Laptops already hold the whole negative side below Computers.
        {"Computers at 0 % on the negative side",
         [](ModelArrays& m) {
             setShares(m, {{kComputers, 0}, {kPhones, 1'000'000}}, true);
         },
         ""},
        {"Computers at 0 % on the negative side, Laptops and Desktops halved",
         [](ModelArrays& m) {
             setShares(
                 m,
                 {{kComputers, 0}, {kPhones, 1'000'000}, {kLaptops, 500000}, {kDesktops, 500000}},
                 true);
         },
         "0:4- "},
        {"both sides",
         [](ModelArrays& m) {
             setShares(m, {{kComputers, 0}, {kPhones, 1'000'000}});
             setShares(m, {{kHardware, 0}, {kServices, 1'000'000}}, true);
         },
         "0:4+ 0:3- "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModelArrays model = test::smallModel();
        c.change(model);
        EXPECT_EQ(text(arrLostSharesFind(model)), c.lost);

        test::TempFolder dir;
        ModelArrays read;
        ASSERT_TRUE(test::writtenAndRead(dir.file("m.vtm"), model, read));
        EXPECT_EQ(revenueShares(read) == revenueShares(model), c.lost.empty());
    }
}

// Without a negative total the file carries no negative side, and none is found there.
TEST(LostSharesTest, TheNegativeSideCountsOnlyWithANegativeTotal) {
    ModelArrays model = test::smallModel();
    setShares(model, {{kHardware, 0}, {kServices, 1'000'000}}, true);
    EXPECT_EQ(text(arrLostSharesFind(model)), "0:3- ");
    model.measures[0].dblNegTotal = 0;
    EXPECT_EQ(text(arrLostSharesFind(model)), "");
}

}  // namespace
}  // namespace vantorell
