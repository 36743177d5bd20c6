#include "tests/support/SmallModel.h"

#include "tests/support/ModelBuilder.h"

namespace vantorell::test {
namespace {

TCategoryRecord numbered(TCategoryRecord c, int leafNumber) {
    c.intLeafNumber = leafNumber;
    return c;
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
        numbered(category("North", "N", 1, 0), 0),
        numbered(category("South", "S", 1, 0), 1),
        numbered(category("West", "W", 1, 0), 2),
        numbered(category("Hardware", "HW", 1, 1), -1),
        numbered(category("Computers", "CMP", 2, 1), -2),
        numbered(category("Laptops", "LAP", 3, 1), 0),
        numbered(category("Desktops", "DSK", 3, 1), 1),
        numbered(category("Phones", "PHN", 2, 1), 2),
        numbered(category("Services", "SRV", 1, 1), 3),
    };

    TMeasureRecord units = weighted("Units", "UNI", 0, 1);
    units.intFirstValueIndex = 9;
    m.measures = {independent("Revenue", "REV", 1250000.5, 20000, 2, 0), units};

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
        ratios(1, 1, 5, 0.5, 1.5, 1.0),
        ratios(1, 1, 6, 0.25, 0.75, 0.5),
        ratios(1, 1, 7, 1.0, 2.0, 1.25),
        ratios(1, 1, 8, 0.1, 0.3, 0.2),
    };

    m.irregularities = {irregularity(0, 0, 0.15, 0.05, 1), irregularity(0, 1, 0.1, 0, 0)};
    return m;
}

}  // namespace vantorell::test
