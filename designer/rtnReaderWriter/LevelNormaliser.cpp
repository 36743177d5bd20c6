#include "designer/rtnReaderWriter/LevelNormaliser.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/NumberReading.h"

namespace vantorell {
namespace {

constexpr long double kFull = kFullPercentage;
// Totals are spread over the work copies only when the top level holds a real amount.
constexpr long double kScaleThreshold = 0.5L;

std::size_t at(std::int64_t i) {
    return static_cast<std::size_t>(i);
}

// Parents by level (the categories are in pre-order), children lists, and the groups
// ordered deepest level first (a counting sort by the level of their members).
void linkTree(DimensionShape& s, const std::vector<std::int32_t>& level) {
    const std::int32_t count = s.count();
    std::vector<std::int32_t> open;
    for (std::int32_t i = 0; i < count; ++i) {
        while (!open.empty() && level[at(open.back())] >= level[at(i)]) {
            open.pop_back();
        }
        if (!open.empty()) {
            s.parent[at(i)] = open.back();
            s.hasChildren[at(open.back())] = 1;
        }
        open.push_back(i);
    }
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

    auto nonEmpty = [&](std::int32_t g) { return s.groupStart[at(g) + 1] > s.groupStart[at(g)]; };
    auto levelOf = [&](std::int32_t g) { return level[at(s.members[at(s.groupStart[at(g)])])]; };
    std::vector<std::int32_t> levelStart(at(s.maxLevel) + 1, 0);
    for (std::int32_t g = 0; g <= count; ++g) {
        if (nonEmpty(g)) {
            ++levelStart[at(levelOf(g))];
        }
    }
    std::int32_t position = 0;
    for (std::int32_t l = s.maxLevel; l >= 1; --l) {
        const std::int32_t groups = levelStart[at(l)];
        levelStart[at(l)] = position;
        position += groups;
    }
    s.groupOrder.assign(at(position), 0);
    for (std::int32_t g = 0; g <= count; ++g) {
        if (nonEmpty(g)) {
            s.groupOrder[at(levelStart[at(levelOf(g))]++)] = g;
        }
    }
}

// Every category's value: a leaf its own, a parent the sum of its subtree (children come
// after their parent, so a backward walk completes each sum before it is passed up).
void nulSumLevels(const DimensionShape& s, LevelValues& v, long double& topPos,
                  long double& topNeg) {
    const std::int32_t count = s.count();
    for (std::int32_t i = 0; i < count; ++i) {
        if (s.hasChildren[at(i)] != 0) {
            v.positive[at(i)] = 0.0L;
            v.negative[at(i)] = 0.0L;
        }
    }
    topPos = 0.0L;
    topNeg = 0.0L;
    for (std::int32_t i = count - 1; i >= 0; --i) {
        const std::int32_t p = s.parent[at(i)];
        (p >= 0 ? v.positive[at(p)] : topPos) += v.positive[at(i)];
        (p >= 0 ? v.negative[at(p)] : topNeg) += v.negative[at(i)];
    }
}

// Rounding of one side of one group: scaled values rounded in array order with the error
// carried along, so the shares add up to 1,000,000; a side whose sum is not above 0 gives
// its first member everything.
class SideRounding {
public:
    explicit SideRounding(long double sum)
        : empty_(!(sum > 0.0L)), factor_(empty_ ? 0.0L : kFull / sum) {}

    // Share of the next member, and the scaled value when `scaled` is wanted.
    std::int32_t next(long double value, double* scaled) {
        std::int64_t r = 0;
        if (empty_) {
            r = first_ ? kFullPercentage : 0;
        } else if (value > 0.0L) {
            // Scaled values are at most 1,000,000: a double holds them to far below a unit.
            const auto v = static_cast<double>(value * factor_);
            if (scaled != nullptr) {
                *scaled = v;
            }
            r = static_cast<std::int64_t>(std::floor(v + 0.5));
            carry_ += static_cast<double>(r) - v;
            if (carry_ > 0.5) {
                --r;
                carry_ -= 1.0;
            } else if (carry_ < -0.5) {
                ++r;
                carry_ += 1.0;
            }
        }
        first_ = false;
        total_ += r;
        return static_cast<std::int32_t>(r);
    }

    bool empty() const { return empty_; }
    // What rounding the scaled values themselves left over or under (a unit at most).
    std::int32_t remainder() const { return static_cast<std::int32_t>(kFullPercentage - total_); }

private:
    bool empty_;
    long double factor_;
    bool first_ = true;
    double carry_ = 0.0;
    std::int64_t total_ = 0;
};

}  // namespace

std::int32_t intMaxLevelGet(const TArrCategories& categories, const TDimensionRecord& dimension) {
    std::int32_t deepest = 0;
    for (std::int32_t i = 0; i < dimension.intCategoryCount; ++i) {
        deepest =
            std::max(deepest, categories[at(dimension.intFirstCategoryIndex + i)].bytLevelNumber);
    }
    return deepest;
}

DimensionShape shapeOfDimension(const TArrCategories& categories,
                                const TDimensionRecord& dimension) {
    DimensionShape s;
    s.first = dimension.intFirstCategoryIndex;
    s.maxLevel = intMaxLevelGet(categories, dimension);
    const std::int32_t count = std::max(dimension.intCategoryCount, 0);
    s.parent.assign(at(count), -1);
    s.slot.assign(at(count), 0);
    s.hasChildren.assign(at(count), 0);
    std::vector<std::int32_t> level(at(count), 0);
    for (std::int32_t i = 0; i < count; ++i) {
        const TCategoryRecord& c = categories[at(s.first + i)];
        level[at(i)] = c.bytLevelNumber;
        s.slot[at(i)] = static_cast<std::int32_t>(intIndependentSlot(c, dimension, 0));
    }
    linkTree(s, level);
    return s;
}

void nulNormaliseLevels(TArrCategories& categories, const DimensionShape& shape,
                        const TArrMeasures& measures, std::int32_t measureIndex,
                        std::int32_t dimension, TArrMeasureValues& values, std::int64_t blockBase,
                        int debugMask, LevelValues& v) {
    const TMeasureRecord& measure = measures[at(measureIndex)];
    const std::int32_t count = shape.count();
    if (count == 0) {
        return;
    }
    long double topPos = 0.0L;
    long double topNeg = 0.0L;
    nulSumLevels(shape, v, topPos, topNeg);

    // Work copies: each category's value spread over the measure's total.
    const long double posFactor = topPos > kScaleThreshold ? measure.dblPosTotal / topPos : 1.0L;
    const long double negFactor = topNeg > kScaleThreshold ? measure.dblNegTotal / topNeg : 1.0L;
    const bool debug = (debugMask & kDebugScaling) != 0;

    // One pass over each group's records writes them whole: every category of the
    // dimension is a member of exactly one group.
    for (const std::int32_t g : shape.groupOrder) {
        SideRounding positive(g == 0 ? topPos : v.positive[at(g - 1)]);
        SideRounding negative(g == 0 ? topNeg : v.negative[at(g - 1)]);
        const std::int32_t begin = shape.groupStart[at(g)];
        const std::int32_t end = shape.groupStart[at(g) + 1];
        // The member with the largest share takes what the rounding left over.
        std::int64_t largestPos = -1;
        std::int64_t largestNeg = -1;
        std::int32_t largestPosShare = -1;
        std::int32_t largestNegShare = -1;
        for (std::int32_t k = begin; k < end; ++k) {
            const std::int32_t i = shape.members[at(k)];
            TMeasureValueRecord& r = values[at(blockBase + shape.slot[at(i)])];
            r.intMeasureIndex = measureIndex;
            r.intDimensionIndex = dimension;
            r.intCategoryIndex = shape.first + i;
            double scaled = -1.0;
            r.intPercentage = positive.next(v.positive[at(i)], debug ? &scaled : nullptr);
            r.intNegPercentage = negative.next(v.negative[at(i)], nullptr);
            r.dblWorkPercentage = static_cast<double>(v.positive[at(i)] * posFactor);
            r.dblWorkNegPercentage = static_cast<double>(v.negative[at(i)] * negFactor);
            if (r.intPercentage > largestPosShare) {
                largestPosShare = r.intPercentage;
                largestPos = blockBase + shape.slot[at(i)];
            }
            if (r.intNegPercentage > largestNegShare) {
                largestNegShare = r.intNegPercentage;
                largestNeg = blockBase + shape.slot[at(i)];
            }
            if (debug && scaled >= 0.0) {
                nulDebugMessage("Scaled percentage: " + strNumberText(scaled) + " for category " +
                                    categories[at(shape.first + i)].strName.str(),
                                kDebugScaling, debugMask);
            }
            if (shape.hasChildren[at(i)] != 0) {
                TCategoryRecord& c = categories[at(shape.first + i)];
                c.dblWorkPosValue = static_cast<double>(v.positive[at(i)]);
                c.dblWorkNegValue = static_cast<double>(v.negative[at(i)]);
            }
        }
        if (debug && !positive.empty()) {
            nulDebugMessage("Scaled.", kDebugScaling, debugMask);
        }
        values[at(largestPos)].intPercentage += positive.remainder();
        values[at(largestNeg)].intNegPercentage += negative.remainder();
    }
}

}  // namespace vantorell
