// Models written by the writer and read back by the reader: the arrays, shares included,
// and the change digest come back unchanged.
#include <gtest/gtest.h>

#include <sstream>

#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "tests/support/ModelInvariants.h"
#include "tests/support/RandomModel.h"
#include "tests/support/SmallModel.h"
#include "tests/support/StandInEngine.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

std::string digestOnly(ModelArrays model, int points) {
    std::string digest;
    EXPECT_TRUE(
        flgWriteFile("/nonexistent/", "", "", "", 0, digest, true, false, true, model, points));
    return digest;
}

// Every field but the scratch ones and the leaf bookkeeping, which the reader and the
// writer keep in different ways.
::testing::AssertionResult sameModel(const ModelArrays& a, const ModelArrays& b) {
    std::ostringstream why;
    if (a.dimensions.size() != b.dimensions.size() || a.categories.size() != b.categories.size() ||
        a.measures.size() != b.measures.size() || a.values.size() != b.values.size() ||
        a.irregularities.size() != b.irregularities.size()) {
        return ::testing::AssertionFailure() << "array sizes differ";
    }
    for (std::size_t i = 0; i < a.dimensions.size(); ++i) {
        const TDimensionRecord& x = a.dimensions[i];
        const TDimensionRecord& y = b.dimensions[i];
        if (x.strName != y.strName || x.strCode != y.strCode || x.strFileId != y.strFileId ||
            x.intCategoryCount != y.intCategoryCount ||
            x.intFirstCategoryIndex != y.intFirstCategoryIndex ||
            x.intLeafCount != y.intLeafCount || x.intLeafBase != y.intLeafBase) {
            return ::testing::AssertionFailure() << "dimension " << i << " differs";
        }
    }
    for (std::size_t i = 0; i < a.categories.size(); ++i) {
        const TCategoryRecord& x = a.categories[i];
        const TCategoryRecord& y = b.categories[i];
        if (x.strName != y.strName || x.strCode != y.strCode || x.strFileId != y.strFileId ||
            x.bytLevelNumber != y.bytLevelNumber ||
            x.intParentDimensionIndex != y.intParentDimensionIndex ||
            x.intLeafNumber != y.intLeafNumber) {
            return ::testing::AssertionFailure()
                   << "category " << i << " differs: \"" << x.strName.str() << "\" / \""
                   << y.strName.str() << "\"";
        }
    }
    for (std::size_t i = 0; i < a.measures.size(); ++i) {
        const TMeasureRecord& x = a.measures[i];
        const TMeasureRecord& y = b.measures[i];
        if (x.strName != y.strName || x.strCode != y.strCode || x.strFileId != y.strFileId ||
            x.chrType != y.chrType || x.dblPosTotal != y.dblPosTotal ||
            x.dblNegTotal != y.dblNegTotal || x.intIrregularityType != y.intIrregularityType ||
            x.intGlobalPercent != y.intGlobalPercent ||
            x.intSourceMeasureIndex != y.intSourceMeasureIndex ||
            x.intWeightingDimensionIndex != y.intWeightingDimensionIndex ||
            x.intFirstValueIndex != y.intFirstValueIndex) {
            return ::testing::AssertionFailure() << "measure " << i << " differs";
        }
    }
    for (std::size_t i = 0; i < a.values.size(); ++i) {
        const TMeasureValueRecord& x = a.values[i];
        const TMeasureValueRecord& y = b.values[i];
        if (x.intMeasureIndex != y.intMeasureIndex || x.intDimensionIndex != y.intDimensionIndex ||
            x.intCategoryIndex != y.intCategoryIndex || x.intPercentage != y.intPercentage ||
            x.intNegPercentage != y.intNegPercentage || x.dblMinimumRatio != y.dblMinimumRatio ||
            x.dblMaximumRatio != y.dblMaximumRatio || x.dblAverageRatio != y.dblAverageRatio) {
            return ::testing::AssertionFailure()
                   << "value " << i << " differs: shares " << x.intPercentage << "/"
                   << x.intNegPercentage << " read as " << y.intPercentage << "/"
                   << y.intNegPercentage;
        }
    }
    for (std::size_t i = 0; i < a.irregularities.size(); ++i) {
        const TIrregularityRecord& x = a.irregularities[i];
        const TIrregularityRecord& y = b.irregularities[i];
        if (x.intMeasureIndex != y.intMeasureIndex || x.intDimensionIndex != y.intDimensionIndex ||
            x.dblStandardIrregularity != y.dblStandardIrregularity ||
            x.dblInterFamilyIrregularity != y.dblInterFamilyIrregularity ||
            x.intIrregularityFamilyNumber != y.intIrregularityFamilyNumber) {
            return ::testing::AssertionFailure() << "irregularity " << i << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(ModelReadBackTest, RandomModelsReadBackWithTheirSharesAndDigest) {
    TempFolder dir;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        ModelArrays written = test::randomModel(seed);
        const int points = 1000 + static_cast<int>(seed);
        std::string digest;
        ASSERT_TRUE(flgWriteFile(dir.path(), dir.file("m.vtm"), "", "", 0, digest, true, true, true,
                                 written, points));
        ModelArrays read;
        std::int32_t readPoints = 0;
        ASSERT_TRUE(flgReadFile(dir.path(), dir.file("m.vtm"), "", "", 0, true, readPoints, read))
            << "seed " << seed;
        EXPECT_EQ(readPoints, points);
        ASSERT_TRUE(test::modelArraysValid(read)) << "seed " << seed;
        ASSERT_TRUE(sameModel(written, read)) << "seed " << seed;
        EXPECT_EQ(digestOnly(read, points), digest) << "seed " << seed;
    }
}

TEST(ModelReadBackTest, ProtectedCopiesReadBackThroughTheEngine) {
    TempFolder program;
    TempFolder work;
    test::installStandInEngine(program.path());
    test::RandomModelOptions options;
    options.printableOnly = true;
    for (std::uint32_t seed = 0; seed < 6; ++seed) {
        ModelArrays written = seed == 0 ? test::smallModel() : test::randomModel(seed, options);
        std::string digest;
        ASSERT_TRUE(flgWriteFile(program.path(), work.file("copy.vte"), "pass word`~", "key", 0,
                                 digest, true, true, true, written, 512));
        ModelArrays read;
        std::int32_t points = 0;
        ASSERT_TRUE(flgReadFile(program.path(), work.file("copy.vte"), "pass word`~", "key", 0,
                                true, points, read))
            << "seed " << seed;
        EXPECT_EQ(points, 512);
        EXPECT_TRUE(sameModel(written, read)) << "seed " << seed;
        EXPECT_EQ(digestOnly(read, 512), digest) << "seed " << seed;
    }
}

}  // namespace
}  // namespace vantorell
