#include "tests/support/SmallModel.h"

namespace vantorell::test {
namespace {

TCategoryRecord category(const char* name, const char* code, int level, int dimension,
                         int leafNumber) {
    TCategoryRecord c;
    c.strName = name;
    c.strCode = code;
    c.bytLevelNumber = level;
    c.intParentDimensionIndex = dimension;
    c.intLeafNumber = leafNumber;
    return c;
}

TMeasureValueRecord share(int measure, int dimension, int category, int positive, int negative) {
    TMeasureValueRecord v;
    v.intMeasureIndex = measure;
    v.intDimensionIndex = dimension;
    v.intCategoryIndex = category;
    v.intPercentage = positive;
    v.intNegPercentage = negative;
    return v;
}

TMeasureValueRecord ratios(int category, double minimum, double maximum, double average) {
    TMeasureValueRecord v;
    v.intMeasureIndex = 1;
    v.intDimensionIndex = 1;
    v.intCategoryIndex = category;
    v.dblMinimumRatio = minimum;
    v.dblMaximumRatio = maximum;
    v.dblAverageRatio = average;
    return v;
}

}  // namespace

ModelArrays smallModel() {
    ModelArrays m;
    TDimensionRecord region;
    region.strName = "Region";
    region.strCode = "REG";
    region.intCategoryCount = 3;
    region.intLeafCount = 3;
    TDimensionRecord product;
    product.strName = "Product";
    product.strCode = "PRD";
    product.intFirstCategoryIndex = 3;
    product.intCategoryCount = 6;
    product.intLeafCount = 4;
    product.intLeafBase = 3;
    m.dimensions = {region, product};

    m.categories = {
        category("North", "N", 1, 0, 0),        category("South", "S", 1, 0, 1),
        category("West", "W", 1, 0, 2),         category("Hardware", "HW", 1, 1, -1),
        category("Computers", "CMP", 2, 1, -2), category("Laptops", "LAP", 3, 1, 0),
        category("Desktops", "DSK", 3, 1, 1),   category("Phones", "PHN", 2, 1, 2),
        category("Services", "SRV", 1, 1, 3),
    };

    TMeasureRecord revenue;
    revenue.strName = "Revenue";
    revenue.strCode = "REV";
    revenue.chrType = 'I';
    revenue.dblPosTotal = 1250000.5;
    revenue.dblNegTotal = 20000;
    revenue.intIrregularityType = 2;
    TMeasureRecord units;
    units.strName = "Units";
    units.strCode = "UNI";
    units.chrType = 'W';
    units.intSourceMeasureIndex = 0;
    units.intWeightingDimensionIndex = 1;
    units.intFirstValueIndex = 9;
    m.measures = {revenue, units};

    m.values = {
        // Revenue over Region, then over Product: leaves first, then parents.
        share(0, 0, 0, 500000, 200000),
        share(0, 0, 1, 300000, 800000),
        share(0, 0, 2, 200000, 0),
        share(0, 1, 5, 333334, 1000000),
        share(0, 1, 6, 666666, 0),
        share(0, 1, 7, 400000, 500000),
        share(0, 1, 8, 250000, 0),
        share(0, 1, 3, 750000, 1000000),
        share(0, 1, 4, 600000, 500000),
        // Units over the leaves of Product.
        ratios(5, 0.5, 1.5, 1.0),
        ratios(6, 0.25, 0.75, 0.5),
        ratios(7, 1.0, 2.0, 1.25),
        ratios(8, 0.1, 0.3, 0.2),
    };

    TIrregularityRecord onRegion;
    onRegion.intMeasureIndex = 0;
    onRegion.intDimensionIndex = 0;
    onRegion.dblStandardIrregularity = 0.15;
    onRegion.intIrregularityFamilyNumber = 1;
    onRegion.dblInterFamilyIrregularity = 0.05;
    TIrregularityRecord onProduct;
    onProduct.intMeasureIndex = 0;
    onProduct.intDimensionIndex = 1;
    onProduct.dblStandardIrregularity = 0.1;
    m.irregularities = {onRegion, onProduct};
    return m;
}

}  // namespace vantorell::test
