#pragma once
// Model records made in one call each, for hand-built models in tests.

#include <string>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell::test {

TDimensionRecord dimension(const std::string& name, const std::string& code);
TCategoryRecord category(const std::string& name, const std::string& code, int level,
                         int dimensionIndex);
TMeasureRecord independent(const std::string& name, const std::string& code, double positive,
                           double negative, int irregularityType, int globalPercent);
TMeasureRecord weighted(const std::string& name, const std::string& code, int source,
                        int weightingDimension);
TMeasureValueRecord share(int measure, int dimensionIndex, int categoryIndex, int positive,
                          int negative);
TMeasureValueRecord ratios(int measure, int dimensionIndex, int categoryIndex, double minimum,
                           double maximum, double average);
TIrregularityRecord irregularity(int measure, int dimensionIndex, double standard,
                                 double interFamily, int family);

}  // namespace vantorell::test
