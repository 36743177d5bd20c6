#include "designer/rtnReaderWriter/LevelNormaliser.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/NumberReading.h"

namespace vantorell {
namespace {

constexpr int kDebugScaling = 32768;
constexpr long double kFull = kFullPercentage;
// Totals are spread over the work copies only when the top level holds a real amount.
constexpr long double kScaleThreshold = 0.5L;

std::size_t at(std::int32_t i) { return static_cast<std::size_t>(i); }

// Parent positions by level (the categories are in pre-order) and the children lists.
void linkTree(const TArrCategories& categories, std::int32_t first, std::int32_t count,
              LevelScratch& s) {
    s.parent.assign(at(count), -1);
    s.hasChildren.assign(at(count), 0);
    std::vector<std::int32_t>& open = s.openParents;
    open.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t level = categories[at(first + i)].bytLevelNumber;
        while (!open.empty() && categories[at(first + open.back())].bytLevelNumber >= level) {
            open.pop_back();
        }
        if (!open.empty()) {
            s.parent[at(i)] = open.back();
            s.hasChildren[at(open.back())] = 1;
        }
        open.push_back(i);
    }
    // Group g = parent position + 1 (group 0: the top level); members in array order.
    s.groupStart.assign(at(count) + 2, 0);
    for (std::int32_t i = 0; i < count; ++i) {
        ++s.groupStart[at(s.parent[at(i)] + 2)];
    }
    for (std::size_t g = 1; g < s.groupStart.size(); ++g) {
        s.groupStart[g] += s.groupStart[g - 1];
    }
    s.members.assign(at(count), 0);
    std::vector<std::int32_t> fill(s.groupStart.begin(), s.groupStart.end() - 1);
    for (std::int32_t i = 0; i < count; ++i) {
        s.members[at(fill[at(s.parent[at(i)] + 1)]++)] = i;
    }
}

// Every category's value: a leaf its own, a parent the sum of its subtree.
void nulSumLevels(TArrCategories& categories, std::int32_t first, std::int32_t count,
                  LevelScratch& s, long double& topPos, long double& topNeg) {
    s.posSum.assign(at(count), 0.0L);
    s.negSum.assign(at(count), 0.0L);
    topPos = 0.0L;
    topNeg = 0.0L;
    for (std::int32_t i = count - 1; i >= 0; --i) {
        TCategoryRecord& c = categories[at(first + i)];
        if (s.hasChildren[at(i)] != 0) {
            c.dblWorkPosValue = static_cast<double>(s.posSum[at(i)]);
            c.dblWorkNegValue = static_cast<double>(s.negSum[at(i)]);
        } else {
            s.posSum[at(i)] = c.dblWorkPosValue;
            s.negSum[at(i)] = c.dblWorkNegValue;
        }
        const std::int32_t p = s.parent[at(i)];
        (p >= 0 ? s.posSum[at(p)] : topPos) += s.posSum[at(i)];
        (p >= 0 ? s.negSum[at(p)] : topNeg) += s.negSum[at(i)];
    }
}

// The work copies of the records: each category's value, spread over the measure's total.
void nulScaleWorkValues(const TArrCategories& categories, const TDimensionRecord& dimension,
                        const TMeasureRecord& measure, TArrMeasureValues& values,
                        std::int64_t blockBase, const LevelScratch& s, long double topPos,
                        long double topNeg) {
    const long double posFactor = topPos > kScaleThreshold ? measure.dblPosTotal / topPos : 1.0L;
    const long double negFactor = topNeg > kScaleThreshold ? measure.dblNegTotal / topNeg : 1.0L;
    for (std::int32_t i = 0; i < dimension.intCategoryCount; ++i) {
        const TCategoryRecord& c = categories[at(dimension.intFirstCategoryIndex + i)];
        TMeasureValueRecord& v = values[static_cast<std::size_t>(
            intIndependentSlot(c, dimension, blockBase))];
        v.dblWorkPercentage = static_cast<double>(s.posSum[at(i)] * posFactor);
        v.dblWorkNegPercentage = static_cast<double>(s.negSum[at(i)] * negFactor);
    }
}

// Groups deepest level first, the groups of one level in array order (a counting sort by
// the level of their members).
void orderGroups(const TArrCategories& categories, std::int32_t first, std::int32_t count,
                 std::int32_t maxLevel, LevelScratch& s) {
    auto levelOf = [&](std::int32_t g) {
        return categories[at(first + s.members[at(s.groupStart[at(g)])])].bytLevelNumber;
    };
    auto nonEmpty = [&](std::int32_t g) { return s.groupStart[at(g) + 1] > s.groupStart[at(g)]; };
    s.levelStart.assign(at(maxLevel) + 1, 0);
    for (std::int32_t g = 0; g <= count; ++g) {
        if (nonEmpty(g)) {
            ++s.levelStart[at(levelOf(g))];
        }
    }
    std::int32_t position = 0;
    for (std::int32_t level = maxLevel; level >= 1; --level) {
        const std::int32_t groups = s.levelStart[at(level)];
        s.levelStart[at(level)] = position;
        position += groups;
    }
    s.groupOrder.assign(at(position), 0);
    for (std::int32_t g = 0; g <= count; ++g) {
        if (nonEmpty(g)) {
            s.groupOrder[at(s.levelStart[at(levelOf(g))]++)] = g;
        }
    }
}

// Shares of one group on one side; `sum` is the sum of the members' values.
template <typename ValueOf, typename ShareOf>
void shareGroup(const LevelScratch& s, std::int32_t g, long double sum, ValueOf valueOf,
                ShareOf shareOf, const TArrCategories& categories, std::int32_t first,
                int debugMask) {
    const std::int32_t begin = s.groupStart[at(g)];
    const std::int32_t end = s.groupStart[at(g) + 1];
    if (!(sum > 0.0L)) {
        for (std::int32_t k = begin; k < end; ++k) {
            shareOf(s.members[at(k)]) = k == begin ? kFullPercentage : 0;
        }
        return;
    }
    const bool debug = debugMask != 0 && (debugMask & kDebugScaling) != 0;
    long double carry = 0.0L;
    std::int64_t total = 0;
    std::int32_t largest = -1;
    for (std::int32_t k = begin; k < end; ++k) {
        const std::int32_t i = s.members[at(k)];
        const long double value = valueOf(i);
        std::int64_t r = 0;
        if (value > 0.0L) {
            const long double v = kFull * value / sum;
            if (debug) {
                nulDebugMessage("Scaled percentage: " + strNumberText(static_cast<double>(v)) +
                                    " for category " + categories[at(first + i)].strName.str(),
                                kDebugScaling, debugMask);
            }
            r = static_cast<std::int64_t>(std::floor(v + 0.5L));
            carry += static_cast<long double>(r) - v;
            if (carry > 0.5L) {
                --r;
                carry -= 1.0L;
            } else if (carry < -0.5L) {
                ++r;
                carry += 1.0L;
            }
        }
        shareOf(i) = static_cast<std::int32_t>(r);
        total += r;
        if (largest < 0 || r > shareOf(largest)) {
            largest = i;
        }
    }
    if (debug) {
        nulDebugMessage("Scaled.", kDebugScaling, debugMask);
    }
    // Rounding of the scaled values themselves can leave a unit over or under.
    if (total != kFullPercentage && largest >= 0) {
        shareOf(largest) += static_cast<std::int32_t>(kFullPercentage - total);
    }
}

}  // namespace

std::int32_t intMaxLevelGet(const TArrCategories& categories, const TDimensionRecord& dimension) {
    std::int32_t deepest = 0;
    for (std::int32_t i = 0; i < dimension.intCategoryCount; ++i) {
        deepest = std::max(deepest,
                           categories[at(dimension.intFirstCategoryIndex + i)].bytLevelNumber);
    }
    return deepest;
}

void nulNormaliseLevels(TArrCategories& categories, const TDimensionRecord& dimension,
                        const TMeasureRecord& measure, TArrMeasureValues& values,
                        std::int64_t blockBase, int debugMask, LevelScratch& scratch) {
    const std::int32_t first = dimension.intFirstCategoryIndex;
    const std::int32_t count = dimension.intCategoryCount;
    if (count <= 0) {
        return;
    }
    const std::int32_t maxLevel = intMaxLevelGet(categories, dimension);
    linkTree(categories, first, count, scratch);
    long double topPos = 0.0L;
    long double topNeg = 0.0L;
    nulSumLevels(categories, first, count, scratch, topPos, topNeg);
    nulScaleWorkValues(categories, dimension, measure, values, blockBase, scratch, topPos, topNeg);
    orderGroups(categories, first, count, maxLevel, scratch);

    auto slot = [&](std::int32_t i) -> TMeasureValueRecord& {
        return values[static_cast<std::size_t>(
            intIndependentSlot(categories[at(first + i)], dimension, blockBase))];
    };
    for (const std::int32_t g : scratch.groupOrder) {
        const long double posSum = g == 0 ? topPos : scratch.posSum[at(g - 1)];
        const long double negSum = g == 0 ? topNeg : scratch.negSum[at(g - 1)];
        shareGroup(
            scratch, g, posSum, [&](std::int32_t i) { return scratch.posSum[at(i)]; },
            [&](std::int32_t i) -> std::int32_t& { return slot(i).intPercentage; }, categories,
            first, debugMask);
        shareGroup(
            scratch, g, negSum, [&](std::int32_t i) { return scratch.negSum[at(i)]; },
            [&](std::int32_t i) -> std::int32_t& { return slot(i).intNegPercentage; }, categories,
            first, 0);
    }
}

}  // namespace vantorell
