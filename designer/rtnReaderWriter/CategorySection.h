#pragma once
// The CAT section: per dimension its categories in tree pre-order, a parent's name marked
// by ">", each "*" closing one open level and the "*" that finds none closing the dimension.

#include <cstdint>

#include "designer/rtnReaderWriter/ModelReadState.h"

namespace vantorell {

// Reads the section up to its closing "*" and sorts the categories by identifier.
// `sizeHint` is the category count INFO announced (0: none); it only reserves room.
void nulReadCategorySection(ModelReadState& state, std::int64_t sizeHint);

}  // namespace vantorell
