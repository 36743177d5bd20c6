#include "tests/support/RandomModel.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace vantorell::test {
namespace {

using Rng = std::mt19937;

int uniformInt(Rng& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}
double uniformReal(Rng& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}
bool chance(Rng& rng, double p) {
    return std::bernoulli_distribution(p)(rng);
}

// Names and codes with blanks inside, the scrambler's escape characters and, unless only
// printable characters are asked for, letters outside ASCII. They never begin with a
// character the file grammar gives a meaning ("<", ">", "*") and never begin or end with a
// blank.
std::string randomText(Rng& rng, int maxLength, std::size_t limit, bool printableOnly) {
    static const std::string ascii =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789   `~-_&#%.,;:!?()'\"/";
    static const char* const wide[] = {"\xC3\xA9", "\xC3\xBC", "\xE2\x82\xAC"};  // é ü €
    const int length = uniformInt(rng, 1, maxLength);
    std::string text;
    for (int i = 0; i < length; ++i) {
        if (!printableOnly && chance(rng, 0.05)) {
            text += wide[uniformInt(rng, 0, 2)];
        } else {
            text += ascii[uniformInt(rng, 0, static_cast<int>(ascii.size()) - 1)];
        }
    }
    text = cutUtf8(text, limit);
    if (text.front() == ' ' || text.front() == '<' || text.front() == '>' || text.front() == '*') {
        text.front() = 'X';
    }
    if (text.back() == ' ') {
        text.back() = 'Y';
    }
    return text;
}

// Pre-order levels of one dimension's tree, no deeper than `depth`.
std::vector<int> randomLevels(Rng& rng, int count, int depth) {
    std::vector<int> levels(count);
    for (int i = 0; i < count; ++i) {
        if (i == 0) {
            levels[i] = 1;
        } else if (levels[i - 1] < depth && chance(rng, 0.4)) {
            levels[i] = levels[i - 1] + 1;
        } else {
            levels[i] = uniformInt(rng, 1, levels[i - 1]);
        }
    }
    return levels;
}

// Splits 1,000,000 over a sibling group; parents get at least 1.
std::vector<int> randomShares(Rng& rng, const std::vector<bool>& isParent) {
    const int k = static_cast<int>(isParent.size());
    std::vector<int> shares(k, 0);
    int rest = kFullPercentage;
    for (int i = 0; i < k; ++i) {
        if (isParent[i]) {
            shares[i] = 1;
            --rest;
        }
    }
    if (chance(rng, 0.1)) {
        shares[uniformInt(rng, 0, k - 1)] += rest;
        return shares;
    }
    std::vector<long long> weights(k);
    long long sum = 0;
    for (int i = 0; i < k; ++i) {
        weights[i] = !isParent[i] && chance(rng, 0.2) ? 0 : uniformInt(rng, 1, 1000);
        sum += weights[i];
    }
    if (sum == 0) {
        shares[0] += rest;
        return shares;
    }
    int given = 0;
    for (int i = 0; i < k; ++i) {
        const int part = static_cast<int>(rest * weights[i] / sum);
        shares[i] += part;
        given += part;
    }
    int lucky = uniformInt(rng, 0, k - 1);
    while (weights[lucky] == 0) {
        lucky = (lucky + 1) % k;
    }
    shares[lucky] += rest - given;
    return shares;
}

double randomTotal(Rng& rng) {
    switch (uniformInt(rng, 0, 2)) {
        case 0:
            return uniformInt(rng, 1, 10'000'000);
        case 1:
            return uniformInt(rng, 1, 100'000'000) / 100.0;
        default:
            return uniformReal(rng, 0.001, 1e7);
    }
}

struct Groups {
    std::vector<int> parent;  // per category: index of its parent, -1 at the top level
    std::vector<std::vector<int>> members;  // sibling groups, each in array order
};

Groups siblingGroups(const TArrCategories& categories, int first, int end) {
    Groups g;
    g.parent.assign(categories.size(), -1);
    std::vector<int> stack;
    std::vector<int> groupOf(categories.size() + 1, -1);  // by parent + 1
    for (int c = first; c < end; ++c) {
        while (static_cast<int>(stack.size()) >= categories[c].bytLevelNumber) {
            stack.pop_back();
        }
        const int p = stack.empty() ? -1 : stack.back();
        g.parent[c] = p;
        if (groupOf[p + 1] < 0) {
            groupOf[p + 1] = static_cast<int>(g.members.size());
            g.members.emplace_back();
        }
        g.members[groupOf[p + 1]].push_back(c);
        stack.push_back(c);
    }
    return g;
}

bool isParentAt(const TArrCategories& categories, int c) {
    return c + 1 < static_cast<int>(categories.size()) &&
           categories[c + 1].intParentDimensionIndex == categories[c].intParentDimensionIndex &&
           categories[c + 1].bytLevelNumber > categories[c].bytLevelNumber;
}

}  // namespace

ModelArrays randomModel(std::uint32_t seed, const RandomModelOptions& options) {
    Rng rng(seed);
    ModelArrays model;
    const bool printable = options.printableOnly;

    const int dimensionCount = uniformInt(rng, options.minDimensions, options.maxDimensions);
    int leafBase = 0;
    for (int d = 0; d < dimensionCount; ++d) {
        TDimensionRecord dimension;
        dimension.strName = randomText(rng, 30, 80, printable);
        dimension.strCode = randomText(rng, 12, 25, printable);
        int count = uniformInt(rng, 1, options.maxCategoriesPerDimension);
        if (options.totalCategories > 0) {
            const int share = options.totalCategories / dimensionCount;
            count = d + 1 < dimensionCount ? share : options.totalCategories - share * d;
        }
        const std::vector<int> levels =
            randomLevels(rng, count, uniformInt(rng, 1, options.maxDepth));
        dimension.intFirstCategoryIndex = static_cast<int>(model.categories.size());
        dimension.intCategoryCount = count;
        dimension.intLeafBase = leafBase;
        for (int level : levels) {
            TCategoryRecord category;
            category.strName = randomText(rng, 30, 80, printable);
            category.strCode = randomText(rng, 12, 25, printable);
            category.bytLevelNumber = level;
            category.intParentDimensionIndex = d;
            category.intSortedIndex = static_cast<int>(model.categories.size());
            model.categories.push_back(category);
        }
        int leaves = 0;
        int parents = 0;
        for (int c = dimension.intFirstCategoryIndex; c < static_cast<int>(model.categories.size());
             ++c) {
            model.categories[c].intLeafNumber =
                isParentAt(model.categories, c) ? -++parents : leaves++;
        }
        dimension.intLeafCount = leaves;
        leafBase += leaves;
        model.dimensions.push_back(dimension);
    }

    std::vector<Groups> groups;
    for (const TDimensionRecord& dimension : model.dimensions) {
        groups.push_back(
            siblingGroups(model.categories, dimension.intFirstCategoryIndex,
                          dimension.intFirstCategoryIndex + dimension.intCategoryCount));
    }

    const int measureCount = options.totalMeasures > 0
                                 ? options.totalMeasures
                                 : uniformInt(rng, options.minMeasures, options.maxMeasures);
    std::vector<int> independent;
    for (int m = 0; m < measureCount; ++m) {
        TMeasureRecord measure;
        measure.strName = randomText(rng, 30, 80, printable);
        measure.strCode = randomText(rng, 12, 25, printable);
        measure.intFirstValueIndex = static_cast<int>(model.values.size());
        if (!independent.empty() && chance(rng, 0.3)) {
            measure.chrType = 'W';
            measure.intSourceMeasureIndex =
                independent[uniformInt(rng, 0, static_cast<int>(independent.size()) - 1)];
            const int d = uniformInt(rng, 0, dimensionCount - 1);
            measure.intWeightingDimensionIndex = d;
            const TDimensionRecord& dimension = model.dimensions[d];
            for (int c = dimension.intFirstCategoryIndex;
                 c < dimension.intFirstCategoryIndex + dimension.intCategoryCount; ++c) {
                if (isParentAt(model.categories, c))
                    continue;
                TMeasureValueRecord value;
                value.intMeasureIndex = m;
                value.intDimensionIndex = d;
                value.intCategoryIndex = c;
                value.dblMinimumRatio = uniformReal(rng, 0, 1);
                value.dblMaximumRatio = value.dblMinimumRatio + uniformReal(rng, 0, 2);
                value.dblAverageRatio =
                    value.dblMinimumRatio +
                    (value.dblMaximumRatio - value.dblMinimumRatio) * uniformReal(rng, 0, 1);
                model.values.push_back(value);
            }
            model.measures.push_back(measure);
            continue;
        }

        independent.push_back(m);
        measure.chrType = 'I';
        measure.dblPosTotal = randomTotal(rng);
        measure.dblNegTotal = chance(rng, 0.5) ? randomTotal(rng) : 0.0;
        measure.intIrregularityType = uniformInt(rng, 0, 3);
        if (measure.intIrregularityType == 0) {
            measure.intGlobalPercent = uniformInt(rng, 0, 100);
        } else {
            for (int d = 0; d < dimensionCount; ++d) {
                TIrregularityRecord r;
                r.intMeasureIndex = m;
                r.intDimensionIndex = d;
                r.dblStandardIrregularity = uniformInt(rng, 0, 300) / 100.0;
                if (measure.intIrregularityType >= 2) {
                    r.intIrregularityFamilyNumber = uniformInt(rng, 0, 3);
                    if (r.intIrregularityFamilyNumber > 0) {
                        r.dblInterFamilyIrregularity = uniformInt(rng, 0, 300) / 100.0;
                    }
                }
                model.irregularities.push_back(r);
            }
        }

        std::vector<int> positive(model.categories.size()), negative(model.categories.size());
        for (const Groups& g : groups) {
            for (const std::vector<int>& members : g.members) {
                std::vector<bool> parentFlags;
                for (int c : members)
                    parentFlags.push_back(isParentAt(model.categories, c));
                const std::vector<int> pos = randomShares(rng, parentFlags);
                std::vector<int> neg(members.size(), 0);
                if (measure.dblNegTotal > 0) {
                    neg = randomShares(rng, parentFlags);
                } else {
                    neg[0] = kFullPercentage;
                }
                for (std::size_t i = 0; i < members.size(); ++i) {
                    positive[members[i]] = pos[i];
                    negative[members[i]] = neg[i];
                }
            }
        }
        for (int d = 0; d < dimensionCount; ++d) {
            const TDimensionRecord& dimension = model.dimensions[d];
            const int first = dimension.intFirstCategoryIndex;
            const int end = first + dimension.intCategoryCount;
            for (const bool parents : {false, true}) {
                for (int c = first; c < end; ++c) {
                    if (isParentAt(model.categories, c) != parents)
                        continue;
                    TMeasureValueRecord value;
                    value.intMeasureIndex = m;
                    value.intDimensionIndex = d;
                    value.intCategoryIndex = c;
                    value.intPercentage = positive[c];
                    value.intNegPercentage = negative[c];
                    model.values.push_back(value);
                }
            }
        }
        model.measures.push_back(measure);
    }
    return model;
}

}  // namespace vantorell::test
