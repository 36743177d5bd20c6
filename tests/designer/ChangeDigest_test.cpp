// Properties of the model change digest and of repeated saves, over random models.
#include "designer/rtnReaderWriter/ChangeDigest.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "designer/rtnReaderWriter/ModelWriter.h"
#include "tests/support/RandomModel.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

std::string digestOnly(ModelArrays model, int points = 1000) {
    std::string digest;
    EXPECT_TRUE(
        flgWriteFile("/nonexistent/", "", "", "", 0, digest, true, false, true, model, points));
    return digest;
}

using Rng = std::mt19937;

int pick(Rng& rng, std::size_t size) {
    return std::uniform_int_distribution<int>(0, static_cast<int>(size) - 1)(rng);
}

template <typename Text>
void changeText(Text& text) {
    std::string s = text.str();
    s[0] = s[0] == 'Q' ? 'R' : 'Q';
    text = s;
}

// Picks a value record of an independent measure whose side `negative` is written.
int writtenShare(const ModelArrays& m, Rng& rng, bool negative) {
    std::vector<int> candidates;
    for (std::size_t i = 0; i < m.values.size(); ++i) {
        const TMeasureRecord& measure = m.measures[m.values[i].intMeasureIndex];
        if (measure.chrType == 'I' && (!negative || measure.dblNegTotal > 0)) {
            candidates.push_back(static_cast<int>(i));
        }
    }
    return candidates.empty() ? -1 : candidates[pick(rng, candidates.size())];
}

int measureWhere(const ModelArrays& m, Rng& rng,
                 const std::function<bool(const TMeasureRecord&)>& f) {
    std::vector<int> candidates;
    for (std::size_t i = 0; i < m.measures.size(); ++i) {
        if (f(m.measures[i]))
            candidates.push_back(static_cast<int>(i));
    }
    return candidates.empty() ? -1 : candidates[pick(rng, candidates.size())];
}

void nudge(std::int32_t& share) {
    share += share > 0 ? -1 : 1;
}

// Each change returns false when the model has nothing it could change.
const std::vector<std::pair<const char*, std::function<bool(ModelArrays&, Rng&)>>> kChanges = {
    {"measure name",
     [](ModelArrays& m, Rng& r) {
         changeText(m.measures[pick(r, m.measures.size())].strName);
         return true;
     }},
    {"measure code",
     [](ModelArrays& m, Rng& r) {
         changeText(m.measures[pick(r, m.measures.size())].strCode);
         return true;
     }},
    {"dimension name",
     [](ModelArrays& m, Rng& r) {
         changeText(m.dimensions[pick(r, m.dimensions.size())].strName);
         return true;
     }},
    {"dimension code",
     [](ModelArrays& m, Rng& r) {
         changeText(m.dimensions[pick(r, m.dimensions.size())].strCode);
         return true;
     }},
    {"category name",
     [](ModelArrays& m, Rng& r) {
         changeText(m.categories[pick(r, m.categories.size())].strName);
         return true;
     }},
    {"category code",
     [](ModelArrays& m, Rng& r) {
         changeText(m.categories[pick(r, m.categories.size())].strCode);
         return true;
     }},
    {"positive share",
     [](ModelArrays& m, Rng& r) {
         const int i = writtenShare(m, r, false);
         if (i >= 0)
             nudge(m.values[i].intPercentage);
         return i >= 0;
     }},
    {"negative share",
     [](ModelArrays& m, Rng& r) {
         const int i = writtenShare(m, r, true);
         if (i >= 0)
             nudge(m.values[i].intNegPercentage);
         return i >= 0;
     }},
    {"positive total",
     [](ModelArrays& m, Rng& r) {
         const int i = measureWhere(m, r, [](const TMeasureRecord& x) { return x.chrType == 'I'; });
         if (i >= 0)
             m.measures[i].dblPosTotal = std::nextafter(m.measures[i].dblPosTotal, 1e300);
         return i >= 0;
     }},
    {"negative total",
     [](ModelArrays& m, Rng& r) {
         const int i = measureWhere(m, r, [](const TMeasureRecord& x) { return x.chrType == 'I'; });
         if (i >= 0) {
             double& total = m.measures[i].dblNegTotal;
             total = total > 0 ? std::nextafter(total, 0.0) : 2.5;
         }
         return i >= 0;
     }},
    {"global percentage",
     [](ModelArrays& m, Rng& r) {
         const int i = measureWhere(m, r, [](const TMeasureRecord& x) {
             return x.chrType == 'I' && x.intIrregularityType == 0;
         });
         if (i >= 0)
             ++m.measures[i].intGlobalPercent;
         return i >= 0;
     }},
    {"irregularity type",
     [](ModelArrays& m, Rng& r) {
         const int i = measureWhere(m, r, [](const TMeasureRecord& x) { return x.chrType == 'I'; });
         if (i >= 0)
             m.measures[i].intIrregularityType = (m.measures[i].intIrregularityType + 1) % 4;
         return i >= 0;
     }},
    {"standard irregularity",
     [](ModelArrays& m, Rng& r) {
         if (m.irregularities.empty())
             return false;
         m.irregularities[pick(r, m.irregularities.size())].dblStandardIrregularity += 0.01;
         return true;
     }},
    {"ratio",
     [](ModelArrays& m, Rng& r) {
         std::vector<int> weighted;
         for (std::size_t i = 0; i < m.values.size(); ++i) {
             if (m.measures[m.values[i].intMeasureIndex].chrType == 'W')
                 weighted.push_back(static_cast<int>(i));
         }
         if (weighted.empty())
             return false;
         TMeasureValueRecord& v = m.values[weighted[pick(r, weighted.size())]];
         double* ratios[] = {&v.dblMinimumRatio, &v.dblMaximumRatio, &v.dblAverageRatio};
         double& ratio = *ratios[pick(r, 3)];
         ratio = std::nextafter(ratio, 10.0);
         return true;
     }},
    {"tree shape",
     [](ModelArrays& m, Rng& r) {
         std::vector<int> candidates;  // may move one level down, under the category before
         for (std::size_t c = 1; c < m.categories.size(); ++c) {
             if (m.categories[c].intParentDimensionIndex ==
                     m.categories[c - 1].intParentDimensionIndex &&
                 m.categories[c].bytLevelNumber <= m.categories[c - 1].bytLevelNumber) {
                 candidates.push_back(static_cast<int>(c));
             }
         }
         if (candidates.empty())
             return false;
         ++m.categories[candidates[pick(r, candidates.size())]].bytLevelNumber;
         return true;
     }},
    {"category order",
     [](ModelArrays& m, Rng& r) {
         std::vector<int> candidates;  // two neighbouring leaves of one parent
         for (std::size_t c = 1; c + 1 < m.categories.size(); ++c) {
             const TCategoryRecord& a = m.categories[c - 1];
             const TCategoryRecord& b = m.categories[c];
             if (a.intParentDimensionIndex == b.intParentDimensionIndex &&
                 a.bytLevelNumber == b.bytLevelNumber &&
                 m.categories[c + 1].bytLevelNumber <= b.bytLevelNumber && a.strName != b.strName) {
                 candidates.push_back(static_cast<int>(c));
             }
         }
         if (candidates.empty())
             return false;
         const int c = candidates[pick(r, candidates.size())];
         std::swap(m.categories[c - 1].strName, m.categories[c].strName);
         return true;
     }},
};

// Large inputs are hashed in pieces; the result must be that of hashing the length-prefixed
// records in one go, by an independent implementation.
TEST(ChangeDigestTest, PiecesHashedAlongsideGiveTheSameHash) {
    for (const int records : {0, 10, 50000, 200000}) {
        ChangeDigest digest;
        std::string framed;
        for (int i = 0; i < records; ++i) {
            const std::string record = std::string(static_cast<std::size_t>(i % 300), 'a' + i % 26);
            digest.addRecord(record);
            std::size_t length = record.size();
            while (length >= 0x80) {
                framed.push_back(static_cast<char>(0x80 | (length & 0x7F)));
                length >>= 7;
            }
            framed.push_back(static_cast<char>(length));
            framed += record;
        }
        const QByteArray expected = QCryptographicHash::hash(
            QByteArrayView(framed.data(), static_cast<qsizetype>(framed.size())),
            QCryptographicHash::Sha256);
        EXPECT_EQ(digest.finish(), expected.toHex().toStdString()) << records << " records";
    }
    // A digest abandoned halfway (a write that failed) releases what it holds.
    ChangeDigest abandoned;
    for (int i = 0; i < 100000; ++i) {
        abandoned.addRecord("record that is abandoned");
    }
}

TEST(ChangeDigestTest, AnySingleChangeToWhatIsSavedChangesTheDigest) {
    int changesTried = 0;
    for (std::uint32_t seed = 0; seed < 150; ++seed) {
        const ModelArrays model = test::randomModel(seed);
        const std::string digest = digestOnly(model);
        ASSERT_EQ(digestOnly(model), digest);
        EXPECT_NE(digestOnly(model, 1001), digest) << "requested points, seed " << seed;
        Rng rng(seed);
        for (const auto& [what, change] : kChanges) {
            ModelArrays changed = model;
            if (!change(changed, rng))
                continue;
            ++changesTried;
            EXPECT_NE(digestOnly(changed), digest) << what << ", seed " << seed;
        }
    }
    EXPECT_GT(changesTried, 150 * 12);
}

TEST(ChangeDigestTest, NegativeSharesWithoutANegativeTotalAreNotSaved) {
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        ModelArrays model = test::randomModel(seed);
        const std::string digest = digestOnly(model);
        for (TMeasureValueRecord& v : model.values) {
            if (model.measures[v.intMeasureIndex].dblNegTotal == 0) {
                v.intNegPercentage = 123;
            }
        }
        EXPECT_EQ(digestOnly(model), digest) << "seed " << seed;
    }
}

// The digest of a protected copy is checked with the engine program (ProtectedRoundTrip).
TEST(ChangeDigestTest, SavesRepeatAndDigestsAgree) {
    TempFolder folder;
    for (std::uint32_t seed = 0; seed < 8; ++seed) {
        ModelArrays model = test::randomModel(seed);
        const std::string digest = digestOnly(model);
        std::string first, second;
        ASSERT_TRUE(flgWriteFile(folder.path(), folder.file("a.vtm"), "", "", 0, first, true, true,
                                 true, model, 1000));
        ASSERT_TRUE(flgWriteFile(folder.path(), folder.file("b.vtm"), "", "", 0, second, true, true,
                                 true, model, 1000));
        EXPECT_EQ(folder.read("a.vtm"), folder.read("b.vtm")) << "seed " << seed;
        EXPECT_EQ(first, digest);
        EXPECT_EQ(second, digest);
    }
}

}  // namespace
}  // namespace vantorell
