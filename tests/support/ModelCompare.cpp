#include "tests/support/ModelCompare.h"

#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileSystem.h"

namespace vantorell::test {

::testing::AssertionResult writtenAndRead(const std::string& file, ModelArrays model,
                                          ModelArrays& read) {
    const std::string folder = extractFilePath(file);
    std::string digest;
    if (!flgWriteFile(folder, file, "", "", 0, digest, true, true, true, model, 0)) {
        return ::testing::AssertionFailure() << file << " was not written";
    }
    std::int32_t points = 0;
    std::string reason;
    if (!flgReadFile(folder, file, "", "", 0, false, points, read, reason)) {
        return ::testing::AssertionFailure() << reason;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult sameModel(const ModelArrays& a, const ModelArrays& b) {
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

std::string modelDigest(ModelArrays model, int requestedPoints) {
    std::string digest;
    EXPECT_TRUE(flgWriteFile("/nonexistent/", "", "", "", 0, digest, true, false, true, model,
                             requestedPoints));
    return digest;
}

}  // namespace vantorell::test
