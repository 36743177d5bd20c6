#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>

#include "designer/rtnReaderWriter/ModelReader.h"
#include "tests/support/KeyedRecords.h"
#include "tests/support/ModelInvariants.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

std::string records(const std::string& text) {
    return test::plainRecords(text);
}

// Two measures; D1 holds the leaves a, b, c; D2 the parent X (x1, x2) and the leaf y.
std::string modelWith(const std::string& per) {
    return records(
        "VT0200|MEAS|M|M|M1|N|N|M2|*|DIM|D|D|D1|E|E|D2|*|"
        "CAT|D1|a|a|C1D1|b|b|C1D2|c|c|C1D3|*|D2|>X|X|H2D1|x1|x1|C2D4|x2|x2|C2D5|*|y|y|C2D6|*|*|"
        "PER|" +
        per + "|*|END");
}

struct Read {
    bool ok = false;
    ModelArrays m;
};

Read readModel(const std::string& text) {
    test::TempFolder folder;
    Read r;
    std::int32_t points = 0;
    r.ok = flgReadFile(folder.write("m.vtm", text), points, r.m);
    return r;
}

// Reads a model of modelWith(per) that must read and keep the arrays' rules.
ModelArrays readValid(const std::string& per) {
    test::TestMessages messages;
    Read r = readModel(modelWith(per));
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(test::modelArraysValid(r.m));
    return std::move(r.m);
}

const TMeasureValueRecord* valueOf(const ModelArrays& m, int measure, const std::string& code) {
    for (const TMeasureValueRecord& v : m.values) {
        if (v.intMeasureIndex == measure &&
            m.categories[static_cast<std::size_t>(v.intCategoryIndex)].strCode.str() == code) {
            return &v;
        }
    }
    return nullptr;
}

// Shares of measure M1 as "code:positive/negative" for the codes given.
std::string shares(const ModelArrays& m, std::initializer_list<const char*> codes,
                   int measure = 0) {
    std::string out;
    for (const char* code : codes) {
        const TMeasureValueRecord* v = valueOf(m, measure, code);
        out += std::string(out.empty() ? "" : " ") + code + ":" +
               (v == nullptr
                    ? std::string("none")
                    : std::to_string(v->intPercentage) + "/" + std::to_string(v->intNegPercentage));
    }
    return out;
}

TEST(PercentageReaderTest, SharesOfIndependentMeasures) {
    struct Case {
        const char* name;
        std::string per;
        std::string expected;  // shares of a, b, c, X, x1, x2, y
    } cases[] = {
        {"equal thirds carry their rounding error", "M1|100|0|D1|C1D1|1|C1D2|1|C1D3|1|*|*",
         "a:333333/1000000 b:333334/0 c:333333/0 X:none x1:none x2:none y:none"},
        {"a group summing to 0 gives its first category everything",
         "M1|100|0|D1|C1D1|0|C1D2|0|C1D3|0|*|D2|C2D4|0|C2D5|7|C2D6|0|*|*",
         "a:1000000/1000000 b:0/0 c:0/0 X:1000000/1000000 x1:0/1000000 x2:1000000/0 y:0/0"},
        {"tiny values are a group all the same", "M1|100|0|D1|C1D1|1e-9|C1D2|3E-9|C1D3|0|*|*",
         "a:250000/1000000 b:750000/0 c:0/0 X:none x1:none x2:none y:none"},
        {"parents take their subtree", "M1|100|0|D2|C2D4|1|C2D5|3|C2D6|4|*|*",
         "a:none b:none c:none X:500000/1000000 x1:250000/1000000 x2:750000/0 y:500000/0"},
        {"negative column as magnitudes", "M1|-50|100|0|D1|C1D1|2|1|C1D2|2|-3|C1D3|0|0|*|*",
         "a:500000/250000 b:500000/750000 c:0/0 X:none x1:none x2:none y:none"},
        {"without a negative column negative values go to the negative side",
         "M1|100|0|D1|C1D1|10|C1D2|-5|C1D3|-15|*|*",
         "a:1000000/0 b:0/250000 c:0/750000 X:none x1:none x2:none y:none"},
        {"a negative total with a positive total of 0 still has its column",
         "M1|-40|0|0|D1|C1D1|0|1|C1D2|0|3|C1D3|0|0|*|*",
         "a:1000000/250000 b:0/750000 c:0/0 X:none x1:none x2:none y:none"},
        {"a leaf the block leaves out gets a share of 0", "M1|100|0|D1|C1D2|5|*|*",
         "a:0/1000000 b:1000000/0 c:0/0 X:none x1:none x2:none y:none"},
        {"decimal commas", "M1|100|0|D1|C1D1|0,5|C1D2|1,5|C1D3|2|*|*",
         "a:125000/1000000 b:375000/0 c:500000/0 X:none x1:none x2:none y:none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shares(readValid(c.per), {"a", "b", "c", "X", "x1", "x2", "y"}), c.expected);
    }
}

TEST(PercentageReaderTest, TotalsIrregularitiesAndRatios) {
    using Check = std::function<void(const ModelArrays&)>;
    struct Case {
        const char* name;
        std::string per;
        Check check;
    } cases[] = {
        {"global percentage and totals", "M1|-12.5|300.25|7|*",
         [](const ModelArrays& m) {
             EXPECT_EQ(m.measures[0].chrType, 'I');
             EXPECT_EQ(m.measures[0].dblNegTotal, 12.5);
             EXPECT_EQ(m.measures[0].dblPosTotal, 300.25);
             EXPECT_EQ(m.measures[0].intIrregularityType, 0);
             EXPECT_EQ(m.measures[0].intGlobalPercent, 7);
             EXPECT_TRUE(m.irregularities.empty());
         }},
        {"type 0 after -1 is type 1; a dimension not listed keeps a record of its own",
         "M1|100|-1|0|D2|2.5|*|*",
         [](const ModelArrays& m) {
             EXPECT_EQ(m.measures[0].intIrregularityType, 1);
             ASSERT_EQ(m.irregularities.size(), 2u);
             EXPECT_EQ(m.irregularities[0].intDimensionIndex, 0);
             EXPECT_EQ(m.irregularities[0].dblStandardIrregularity, 0.0);
             EXPECT_EQ(m.irregularities[1].intDimensionIndex, 1);
             EXPECT_DOUBLE_EQ(m.irregularities[1].dblStandardIrregularity, 0.025);
         }},
        {"families", "M1|100|-1|3|D1|10|0|D2|20|2|5|*|*",
         [](const ModelArrays& m) {
             ASSERT_EQ(m.irregularities.size(), 2u);
             EXPECT_EQ(m.irregularities[0].intIrregularityFamilyNumber, 0);
             EXPECT_EQ(m.irregularities[0].dblInterFamilyIrregularity, 0.0);
             EXPECT_EQ(m.irregularities[1].intIrregularityFamilyNumber, 2);
             EXPECT_DOUBLE_EQ(m.irregularities[1].dblInterFamilyIrregularity, 0.05);
         }},
        {"weighted measure, current layout",
         "M1|200|0|*|M2|WEI|0|M1|D2|C2D6|1|3|2|C2D4|0.5|1.5|1|*",
         [](const ModelArrays& m) {
             const TMeasureRecord& w = m.measures[1];
             EXPECT_EQ(w.chrType, 'W');
             EXPECT_EQ(w.intSourceMeasureIndex, 0);
             EXPECT_EQ(w.intWeightingDimensionIndex, 1);
             ASSERT_EQ(w.intFirstValueIndex, 0);  // M1 lists no dimension, so has no records
             ASSERT_EQ(m.values.size(), 3u);      // one per leaf of D2, in leaf order
             EXPECT_EQ(shares(m, {"x1", "x2", "y"}, 1), "x1:0/0 x2:0/0 y:0/0");
             EXPECT_EQ(m.values[0].dblMinimumRatio, 0.5);
             EXPECT_EQ(m.values[0].dblAverageRatio, 1.0);
             EXPECT_EQ(m.values[1].dblMaximumRatio, 0.0);  // x2 not listed
             EXPECT_EQ(m.values[2].dblMaximumRatio, 3.0);
             EXPECT_EQ(m.values[2].dblAverageRatio, 2.0);
         }},
        {"weighted measure, older layout", "M1|200|0|*|M2|WEI|250|M1|D1|C1D2|40|*|C1D2|0.5|1.5|*",
         [](const ModelArrays& m) {
             ASSERT_EQ(m.values.size(), 3u);
             EXPECT_DOUBLE_EQ(m.values[1].dblAverageRatio, 40 * 0.01 * 250 / 200);
             EXPECT_EQ(m.values[1].dblMinimumRatio, 0.5);
             EXPECT_EQ(m.values[1].dblMaximumRatio, 1.5);
         }},
        {"a first block marked WEI, a later one keeps the kind without its keyword",
         "M2|WEI|0|M1|D1|C1D1|1|2|3|*|M1|???|0|M1|D1|C1D3|4|5|6|*",
         [](const ModelArrays& m) {
             EXPECT_EQ(m.measures[0].chrType, 'W');
             EXPECT_EQ(m.measures[1].chrType, 'W');
             EXPECT_EQ(m.values[2].dblAverageRatio, 6.0);
             EXPECT_EQ(m.values[3].dblAverageRatio, 3.0);
         }},
        {"a first block marked IND", "M1|IND|100|0|D1|C1D1|1|*|*",
         [](const ModelArrays& m) { EXPECT_EQ(shares(m, {"a"}), "a:1000000/1000000"); }},
        {"records grouped by measure in measure order; a block given twice counts once",
         "M2|10|-1|1|D1|5|*|D1|C1D1|1|C1D2|1|*|*|M1|IND|100|0|D2|C2D6|1|*|*|"
         "M2|IND|10|-1|1|D2|6|*|D1|C1D1|1|C1D2|3|*|*",
         [](const ModelArrays& m) {
             EXPECT_EQ(m.measures[0].intFirstValueIndex, 0);
             EXPECT_EQ(m.measures[1].intFirstValueIndex, 4);
             ASSERT_EQ(m.values.size(), 7u);
             EXPECT_EQ(shares(m, {"a", "b"}, 1), "a:250000/1000000 b:750000/0");
             ASSERT_EQ(m.irregularities.size(), 2u);
             EXPECT_EQ(m.irregularities[0].dblStandardIrregularity, 0.0);
             EXPECT_DOUBLE_EQ(m.irregularities[1].dblStandardIrregularity, 0.06);
         }},
        // A measure given again is what its last block says, as the writer writes it back.
        {"a measure given again as weighted keeps nothing of its independent block",
         "M1|-5|100|-1|2|D1|10|1|2|*|D1|C1D1|1|-1|*|*|M1|WEI|0|M2|D2|C2D6|1|3|2|*",
         [](const ModelArrays& m) {
             const TMeasureRecord& w = m.measures[0];
             EXPECT_EQ(w.chrType, 'W');
             EXPECT_EQ(w.dblPosTotal, 0.0);
             EXPECT_EQ(w.dblNegTotal, 0.0);
             EXPECT_EQ(w.intIrregularityType, 0);
             EXPECT_EQ(w.intSourceMeasureIndex, 1);
             EXPECT_EQ(w.intWeightingDimensionIndex, 1);
             EXPECT_TRUE(m.irregularities.empty());
         }},
        {"a measure given again as independent keeps nothing of its weighted block",
         "M2|WEI|0|M1|D2|C2D6|1|3|2|*|M2|IND|50|7|D1|C1D1|1|*|*",
         [](const ModelArrays& m) {
             const TMeasureRecord& i = m.measures[1];
             EXPECT_EQ(i.chrType, 'I');
             EXPECT_EQ(i.intSourceMeasureIndex, 0);
             EXPECT_EQ(i.intWeightingDimensionIndex, 0);
             EXPECT_EQ(i.dblPosTotal, 50.0);
             EXPECT_EQ(i.intGlobalPercent, 7);
         }},
        {"a dimension given again in the irregularities keeps no family of its first entry",
         "M1|100|-1|2|D1|15|1|5|D1|10|0|*|D1|C1D1|1|*|*",
         [](const ModelArrays& m) {
             ASSERT_EQ(m.irregularities.size(), 2u);
             const TIrregularityRecord& r = m.irregularities[0];
             EXPECT_DOUBLE_EQ(r.dblStandardIrregularity, 0.1);
             EXPECT_EQ(r.intIrregularityFamilyNumber, 0);
             EXPECT_EQ(r.dblInterFamilyIrregularity, 0.0);
         }},
        {"irregularities given up by a later block go",
         "M1|100|-1|1|D1|5|*|D1|C1D1|1|*|*|M2|IND|10|-1|1|D2|6|*|*|M1|IND|100|3|D1|C1D1|1|*|*",
         [](const ModelArrays& m) {
             EXPECT_EQ(m.measures[0].intIrregularityType, 0);
             EXPECT_EQ(m.measures[0].intGlobalPercent, 3);
             ASSERT_EQ(m.irregularities.size(), 2u);
             EXPECT_EQ(m.irregularities[0].intMeasureIndex, 1);
             EXPECT_DOUBLE_EQ(m.irregularities[1].dblStandardIrregularity, 0.06);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.check(readValid(c.per));
    }
}

// A dimension tree with sibling shares, written as the model writer writes it: each leaf's
// value is 1,000,000 times the product of the shares on its path.
struct ShareTree {
    std::vector<int> level;
    std::vector<int> positive;
    std::vector<int> negative;
};

// Random shares in millionths that add up to 1,000,000; zeros only where allowed.
void randomGroup(std::mt19937& rng, const std::vector<int>& members, const std::vector<bool>& leaf,
                 std::vector<int>& shares) {
    std::vector<long long> weights;
    long long total = 0;
    for (int i : members) {
        const int w = leaf[static_cast<std::size_t>(i)] && rng() % 5 == 0
                          ? 0
                          : static_cast<int>(rng() % (rng() % 2 == 0 ? 1000 : 1000000)) + 1;
        weights.push_back(w);
        total += w;
    }
    if (total == 0) {
        weights[0] = 1;
        total = 1;
    }
    long long given = 0;
    for (std::size_t k = 0; k < members.size(); ++k) {
        long long share = weights[k] * 1000000 / total;
        if (share == 0 && !leaf[static_cast<std::size_t>(members[k])]) {
            share = 1;
        }
        shares[static_cast<std::size_t>(members[k])] = static_cast<int>(share);
        given += share;
    }
    // The remainder goes to the member with the largest share.
    std::size_t largest = 0;
    for (std::size_t k = 1; k < members.size(); ++k) {
        if (shares[static_cast<std::size_t>(members[k])] >
            shares[static_cast<std::size_t>(members[largest])]) {
            largest = k;
        }
    }
    shares[static_cast<std::size_t>(members[largest])] += static_cast<int>(1000000 - given);
}

ShareTree randomTree(std::mt19937& rng, int count, int maxDepth, int wideness) {
    ShareTree t;
    for (int i = 0; i < count; ++i) {
        const int previous = i == 0 ? 0 : t.level.back();
        const int deeper = std::min(previous + 1, maxDepth);
        t.level.push_back(i == 0
                              ? 1
                              : (static_cast<int>(rng() % static_cast<unsigned>(wideness)) == 0
                                     ? 1 + static_cast<int>(rng() % static_cast<unsigned>(deeper))
                                     : (rng() % 2 == 0 ? deeper : previous)));
    }
    const auto n = static_cast<std::size_t>(count);
    std::vector<bool> leaf(n);
    std::vector<std::vector<int>> groups(n + 1);  // group 0: top level; p + 1: children of p
    std::vector<int> open;
    for (int i = 0; i < count; ++i) {
        leaf[static_cast<std::size_t>(i)] =
            i + 1 == count ||
            t.level[static_cast<std::size_t>(i) + 1] <= t.level[static_cast<std::size_t>(i)];
        while (static_cast<int>(open.size()) >= t.level[static_cast<std::size_t>(i)]) {
            open.pop_back();
        }
        groups[open.empty() ? 0 : static_cast<std::size_t>(open.back()) + 1].push_back(i);
        open.push_back(i);
    }
    t.positive.assign(n, 0);
    t.negative.assign(n, 0);
    for (const std::vector<int>& g : groups) {
        if (!g.empty()) {
            randomGroup(rng, g, leaf, t.positive);
            randomGroup(rng, g, leaf, t.negative);
        }
    }
    return t;
}

std::string number(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.16g", v);
    return buffer;
}

// The model file of one measure with a negative total over the tree, and the leaf values
// computed as the writer computes them.
std::string treeModel(const ShareTree& t) {
    std::string text = "VT0200|MEAS|M|M|M1|*|DIM|D|D|D1|*|CAT|D1|";
    std::string values;
    std::vector<int> open;
    int leaves = 0;
    int parents = 0;
    const std::size_t n = t.level.size();
    for (std::size_t i = 0; i < n; ++i) {
        while (static_cast<int>(open.size()) >= t.level[i]) {
            open.pop_back();
            if (static_cast<int>(open.size()) >= t.level[i]) {
                text += "*|";  // closes a parent's level
            }
        }
        const bool leaf = i + 1 == n || t.level[i + 1] <= t.level[i];
        const std::string code = "k" + std::to_string(i);
        if (leaf) {
            const std::string id = "C1D" + std::to_string(++leaves);
            text += code + "|" + code + "|" + id + "|";
            double pos = t.positive[i] * 1000000.0;
            double neg = t.negative[i] * 1000000.0;
            for (int l = 0; l < t.level[i]; ++l) {
                pos /= 1000000.0;
                neg /= 1000000.0;
            }
            for (int a : open) {
                pos *= t.positive[static_cast<std::size_t>(a)];
                neg *= t.negative[static_cast<std::size_t>(a)];
            }
            values += id + "|" + number(pos) + "|" + number(neg) + "|";
        } else {
            text += ">" + code + "|" + code + "|H1D" + std::to_string(++parents) + "|";
        }
        open.push_back(static_cast<int>(i));
    }
    for (std::size_t k = 1; k < open.size(); ++k) {
        text += "*|";
    }
    return records(text + "*|*|PER|M1|-5000|123456|0|D1|" + values + "*|*|*|END");
}

TEST(PercentageReaderTest, SavedSharesReadBackAsTheyWere) {
    struct Case {
        const char* name;
        int count;
        int maxDepth;
        int wideness;  // larger: fewer returns to a higher level
    } cases[] = {
        {"small tree", 30, 3, 4},       {"deep tree", 400, 40, 50},      {"bushy tree", 3000, 5, 3},
        {"wide groups", 4000, 2, 4000}, {"one flat group", 25000, 1, 1},
    };
    std::mt19937 rng(20240611);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ShareTree t = randomTree(rng, c.count, c.maxDepth, c.wideness);
        const Read r = readModel(treeModel(t));
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(test::modelArraysValid(r.m));
        int wrong = 0;
        for (const TMeasureValueRecord& v : r.m.values) {
            const auto i = static_cast<std::size_t>(v.intCategoryIndex);
            if (v.intPercentage != t.positive[i] || v.intNegPercentage != t.negative[i]) {
                if (++wrong < 5) {
                    ADD_FAILURE() << "category " << i << ": " << v.intPercentage << "/"
                                  << v.intNegPercentage << " read, " << t.positive[i] << "/"
                                  << t.negative[i] << " saved";
                }
            }
        }
        EXPECT_EQ(r.m.values.size(), t.level.size());
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
}  // namespace vantorell
