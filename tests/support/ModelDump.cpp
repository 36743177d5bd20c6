#include "tests/support/ModelDump.h"

#include <algorithm>
#include <sstream>
#include <tuple>

namespace vantorell::test {

std::string dumpModel(const ModelArrays& m, bool scratch) {
    std::ostringstream s;
    s.precision(17);
    for (std::size_t i = 0; i < m.dimensions.size(); ++i) {
        const TDimensionRecord& d = m.dimensions[i];
        s << "D" << i << " " << d.strName.str() << "|" << d.strCode.str() << "|"
          << d.strFileId.str() << " last " << d.intLeafLastIndex << " count " << d.intCategoryCount
          << " first " << d.intFirstCategoryIndex << " leaves " << d.intLeafCount << " base "
          << d.intLeafBase << "\n";
    }
    for (std::size_t i = 0; i < m.categories.size(); ++i) {
        const TCategoryRecord& c = m.categories[i];
        s << "C" << i << " " << c.strName.str() << "|" << c.strCode.str() << "|"
          << c.strFileId.str() << " level " << c.bytLevelNumber << " dim "
          << c.intParentDimensionIndex << " next " << c.intNextLeafIndex << " leaf "
          << c.intLeafNumber << " sorted " << c.intSortedIndex;
        if (scratch) {
            s << " scratch " << c.intSortScratch << " " << c.dblWorkPosValue << " "
              << c.dblWorkNegValue;
        }
        s << "\n";
    }
    for (std::size_t i = 0; i < m.measures.size(); ++i) {
        const TMeasureRecord& r = m.measures[i];
        s << "M" << i << " " << r.strName.str() << "|" << r.strCode.str() << "|"
          << r.strFileId.str() << " " << r.chrType << " pos " << r.dblPosTotal << " neg "
          << r.dblNegTotal << " irr " << r.intIrregularityType << " global " << r.intGlobalPercent
          << " source " << r.intSourceMeasureIndex << " weighting " << r.intWeightingDimensionIndex
          << " first " << r.intFirstValueIndex << "\n";
    }
    for (std::size_t i = 0; i < m.values.size(); ++i) {
        const TMeasureValueRecord& v = m.values[i];
        s << "V" << i << " m " << v.intMeasureIndex << " d " << v.intDimensionIndex << " c "
          << v.intCategoryIndex << " share " << v.intPercentage << " neg " << v.intNegPercentage
          << " ratios " << v.dblMinimumRatio << " " << v.dblMaximumRatio << " "
          << v.dblAverageRatio;
        if (scratch) {
            s << " work " << v.dblWorkPercentage << " " << v.dblWorkNegPercentage;
        }
        s << "\n";
    }
    for (std::size_t i = 0; i < m.irregularities.size(); ++i) {
        const TIrregularityRecord& r = m.irregularities[i];
        s << "I" << i << " m " << r.intMeasureIndex << " d " << r.intDimensionIndex << " std "
          << r.dblStandardIrregularity << " inter " << r.dblInterFamilyIrregularity << " family "
          << r.intIrregularityFamilyNumber << "\n";
    }
    return s.str();
}

std::string dumpEditorFields(const ModelArrays& m) {
    std::ostringstream s;
    s.precision(17);
    for (const TDimensionRecord& d : m.dimensions) {
        s << "D " << d.strName.str() << "|" << d.strCode.str() << "\n";
    }
    for (const TCategoryRecord& c : m.categories) {
        s << "C " << c.strName.str() << "|" << c.strCode.str() << " level " << c.bytLevelNumber
          << " dim " << c.intParentDimensionIndex << "\n";
    }
    for (const TMeasureRecord& r : m.measures) {
        s << "M " << r.strName.str() << "|" << r.strCode.str() << " " << r.chrType << " pos "
          << r.dblPosTotal << " neg " << r.dblNegTotal << " irr " << r.intIrregularityType
          << " global " << r.intGlobalPercent << " source " << r.intSourceMeasureIndex
          << " weighting " << r.intWeightingDimensionIndex << "\n";
    }
    std::vector<TMeasureValueRecord> values = m.values;
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
        return std::tie(a.intMeasureIndex, a.intDimensionIndex, a.intCategoryIndex) <
               std::tie(b.intMeasureIndex, b.intDimensionIndex, b.intCategoryIndex);
    });
    for (const TMeasureValueRecord& v : values) {
        s << "V m " << v.intMeasureIndex << " d " << v.intDimensionIndex << " c "
          << v.intCategoryIndex << " share " << v.intPercentage << " neg " << v.intNegPercentage
          << " ratios " << v.dblMinimumRatio << " " << v.dblMaximumRatio << " " << v.dblAverageRatio
          << "\n";
    }
    for (const TIrregularityRecord& r : m.irregularities) {
        s << "I m " << r.intMeasureIndex << " d " << r.intDimensionIndex << " std "
          << r.dblStandardIrregularity << " inter " << r.dblInterFamilyIrregularity << " family "
          << r.intIrregularityFamilyNumber << "\n";
    }
    return s.str();
}

}  // namespace vantorell::test
