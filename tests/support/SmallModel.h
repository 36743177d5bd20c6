#pragma once
// A small hand-made model: a flat dimension "Region" (North, South, West) and a three-level
// dimension "Product" (Hardware > Computers > Laptops, Desktops; Hardware > Phones;
// Services); an independent measure "Revenue" with a negative total and irregularities of
// type 2; a measure "Units" weighted from it over "Product". Its plain file is
// tests/designer/data/small_model.vtm.

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell::test {

ModelArrays smallModel();

inline constexpr int kSmallModelPoints = 4096;

}  // namespace vantorell::test
