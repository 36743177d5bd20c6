#include "tests/support/ModelBuilder.h"

namespace vantorell::test {

TDimensionRecord dimension(const std::string& name, const std::string& code) {
    TDimensionRecord d;
    d.strName = name;
    d.strCode = code;
    return d;
}

TCategoryRecord category(const std::string& name, const std::string& code, int level,
                         int dimensionIndex) {
    TCategoryRecord c;
    c.strName = name;
    c.strCode = code;
    c.bytLevelNumber = level;
    c.intParentDimensionIndex = dimensionIndex;
    return c;
}

TMeasureRecord independent(const std::string& name, const std::string& code, double positive,
                           double negative, int irregularityType, int globalPercent) {
    TMeasureRecord m;
    m.strName = name;
    m.strCode = code;
    m.chrType = 'I';
    m.dblPosTotal = positive;
    m.dblNegTotal = negative;
    m.intIrregularityType = irregularityType;
    m.intGlobalPercent = globalPercent;
    return m;
}

TMeasureRecord weighted(const std::string& name, const std::string& code, int source,
                        int weightingDimension) {
    TMeasureRecord m;
    m.strName = name;
    m.strCode = code;
    m.chrType = 'W';
    m.intSourceMeasureIndex = source;
    m.intWeightingDimensionIndex = weightingDimension;
    return m;
}

TMeasureValueRecord share(int measure, int dimensionIndex, int categoryIndex, int positive,
                          int negative) {
    TMeasureValueRecord v;
    v.intMeasureIndex = measure;
    v.intDimensionIndex = dimensionIndex;
    v.intCategoryIndex = categoryIndex;
    v.intPercentage = positive;
    v.intNegPercentage = negative;
    return v;
}

TMeasureValueRecord ratios(int measure, int dimensionIndex, int categoryIndex, double minimum,
                           double maximum, double average) {
    TMeasureValueRecord v;
    v.intMeasureIndex = measure;
    v.intDimensionIndex = dimensionIndex;
    v.intCategoryIndex = categoryIndex;
    v.dblMinimumRatio = minimum;
    v.dblMaximumRatio = maximum;
    v.dblAverageRatio = average;
    return v;
}

TIrregularityRecord irregularity(int measure, int dimensionIndex, double standard,
                                 double interFamily, int family) {
    TIrregularityRecord r;
    r.intMeasureIndex = measure;
    r.intDimensionIndex = dimensionIndex;
    r.dblStandardIrregularity = standard;
    r.dblInterFamilyIrregularity = interFamily;
    r.intIrregularityFamilyNumber = family;
    return r;
}

}  // namespace vantorell::test
