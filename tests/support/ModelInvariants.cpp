#include "tests/support/ModelInvariants.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <vector>

namespace vantorell::test {
namespace {

std::string at(const char* what, std::size_t i) {
    std::ostringstream s;
    s << what << "[" << i << "]";
    return s.str();
}

}  // namespace

::testing::AssertionResult modelArraysValid(const TArrDimensions& dims, const TArrCategories& cats,
                                            const TArrMeasures& meas, const TArrMeasureValues& vals,
                                            const TArrIrregularities& irrs,
                                            const InvariantOptions& options) {
    const auto nd = static_cast<int>(dims.size());
    const auto nc = static_cast<int>(cats.size());
    const auto nm = static_cast<int>(meas.size());

    // Categories grouped by dimension, pre-order levels.
    for (std::size_t i = 0; i < cats.size(); ++i) {
        const TCategoryRecord& c = cats[i];
        if (c.intParentDimensionIndex < 0 || c.intParentDimensionIndex >= nd) {
            return ::testing::AssertionFailure() << at("category", i) << " belongs to no dimension";
        }
        const bool first = i == 0 || cats[i - 1].intParentDimensionIndex != c.intParentDimensionIndex;
        if (!first && cats[i - 1].intParentDimensionIndex > c.intParentDimensionIndex) {
            return ::testing::AssertionFailure() << at("category", i) << " is out of dimension order";
        }
        if (first && c.bytLevelNumber != 1) {
            return ::testing::AssertionFailure()
                   << at("category", i) << " opens its dimension at level " << c.bytLevelNumber;
        }
        if (!first && (c.bytLevelNumber < 1 || c.bytLevelNumber > cats[i - 1].bytLevelNumber + 1)) {
            return ::testing::AssertionFailure()
                   << at("category", i) << " has level " << c.bytLevelNumber << " after level "
                   << cats[i - 1].bytLevelNumber;
        }
    }
    for (int i = 1; i < nc; ++i) {
        if (cats[i].intParentDimensionIndex != cats[i - 1].intParentDimensionIndex) {
            for (int j = 0; j < i; ++j) {
                if (cats[j].intParentDimensionIndex == cats[i].intParentDimensionIndex) {
                    return ::testing::AssertionFailure()
                           << "categories of dimension " << cats[i].intParentDimensionIndex
                           << " are not contiguous";
                }
            }
        }
    }
    auto isParent = [&](int i) {
        return i + 1 < nc && cats[i + 1].intParentDimensionIndex == cats[i].intParentDimensionIndex &&
               cats[i + 1].bytLevelNumber > cats[i].bytLevelNumber;
    };

    if (options.dimensionCounts) {
        for (int d = 0; d < nd; ++d) {
            int count = 0, leaves = 0, firstIndex = -1;
            for (int i = 0; i < nc; ++i) {
                if (cats[i].intParentDimensionIndex == d) {
                    if (firstIndex < 0) firstIndex = i;
                    ++count;
                    if (!isParent(i)) ++leaves;
                }
            }
            if (dims[d].intCategoryCount != count) {
                return ::testing::AssertionFailure() << at("dimension", d) << " counts "
                       << dims[d].intCategoryCount << " categories, holds " << count;
            }
            if (count > 0 && dims[d].intFirstCategoryIndex != firstIndex) {
                return ::testing::AssertionFailure() << at("dimension", d) << " starts at "
                       << dims[d].intFirstCategoryIndex << ", its first category is " << firstIndex;
            }
            if (dims[d].intLeafCount != leaves) {
                return ::testing::AssertionFailure() << at("dimension", d) << " counts "
                       << dims[d].intLeafCount << " leaves, holds " << leaves;
            }
        }
    }

    if (options.sortedIndex) {
        std::vector<int> seen(cats.size(), 0);
        for (int i = 0; i < nc; ++i) {
            const int k = cats[i].intSortedIndex;
            if (k < 0 || k >= nc || seen[k]++) {
                return ::testing::AssertionFailure() << "intSortedIndex is not a permutation";
            }
            if (i > 0 && !(cats[cats[i - 1].intSortedIndex].strFileId.str() <
                           cats[k].strFileId.str())) {
                return ::testing::AssertionFailure() << "intSortedIndex is not in identifier order";
            }
        }
    }

    // Value records point at real records.
    for (std::size_t i = 0; i < vals.size(); ++i) {
        const TMeasureValueRecord& v = vals[i];
        if (v.intMeasureIndex < 0 || v.intMeasureIndex >= nm || v.intCategoryIndex < 0 ||
            v.intCategoryIndex >= nc || v.intDimensionIndex < 0 || v.intDimensionIndex >= nd) {
            return ::testing::AssertionFailure() << at("value", i) << " points outside the arrays";
        }
        if (cats[v.intCategoryIndex].intParentDimensionIndex != v.intDimensionIndex) {
            return ::testing::AssertionFailure()
                   << at("value", i) << " names a category of another dimension";
        }
        if (options.valueGroups && i > 0 && vals[i - 1].intMeasureIndex > v.intMeasureIndex) {
            return ::testing::AssertionFailure() << at("value", i) << " is out of measure order";
        }
    }
    if (options.valueGroups) {
        for (int m = 0; m < nm; ++m) {
            const auto it = std::find_if(vals.begin(), vals.end(),
                                         [&](const TMeasureValueRecord& v) { return v.intMeasureIndex == m; });
            if (it != vals.end() && meas[m].intFirstValueIndex != static_cast<int>(it - vals.begin())) {
                return ::testing::AssertionFailure() << at("measure", m) << " points at value "
                       << meas[m].intFirstValueIndex << ", its first is " << (it - vals.begin());
            }
        }
    }

    if (options.shares) {
        // Parent of each category: the nearest earlier category of the same dimension one level up.
        std::vector<int> parent(cats.size(), -1);
        std::vector<int> stack;
        for (int i = 0; i < nc; ++i) {
            if (i == 0 || cats[i].intParentDimensionIndex != cats[i - 1].intParentDimensionIndex) {
                stack.clear();
            }
            while (static_cast<int>(stack.size()) >= cats[i].bytLevelNumber) stack.pop_back();
            parent[i] = stack.empty() ? -1 : stack.back();
            stack.push_back(i);
        }
        std::map<std::tuple<int, int, int>, std::pair<long long, long long>> sums;
        for (const TMeasureValueRecord& v : vals) {
            if (meas[v.intMeasureIndex].chrType != 'I') continue;
            auto& s = sums[{v.intMeasureIndex, v.intDimensionIndex, parent[v.intCategoryIndex]}];
            s.first += v.intPercentage;
            s.second += v.intNegPercentage;
            if (v.intPercentage < 0 || v.intNegPercentage < 0) {
                return ::testing::AssertionFailure() << "a share is negative";
            }
        }
        for (const auto& [key, s] : sums) {
            for (long long sum : {s.first, s.second}) {
                if (sum != 0 && sum != kFullPercentage) {
                    return ::testing::AssertionFailure()
                           << "measure " << std::get<0>(key) << ", dimension " << std::get<1>(key)
                           << ", under category " << std::get<2>(key) << ": shares add up to " << sum;
                }
            }
        }
    }

    if (options.irregularities) {
        for (int m = 0; m < nm; ++m) {
            if (meas[m].intIrregularityType == 0) continue;
            for (int d = 0; d < nd; ++d) {
                const auto n = std::count_if(irrs.begin(), irrs.end(), [&](const TIrregularityRecord& r) {
                    return r.intMeasureIndex == m && r.intDimensionIndex == d;
                });
                if (n != 1) {
                    return ::testing::AssertionFailure() << at("measure", m) << " has " << n
                           << " irregularity records for dimension " << d;
                }
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace vantorell::test
