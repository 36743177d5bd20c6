#pragma once
// Lookup of categories by file identifier: the intSortedIndex column lists the categories in
// ascending byte order of strFileId, and a binary search over it finds an identifier.

#include <cstdint>
#include <string_view>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

// Sorts the intSortedIndex column by strFileId, compared as byte strings (a shorter string
// first on a common prefix, so "C1D10" before "C1D2"). Each entry must hold a category
// index beforehand (the reader stores each category's own). Debug bit 1: "Quicksort
// complete.".
void nulSortCategories(TArrCategories& categories, int debugMask);

// Sets `index` to the index of the category whose identifier is `fileId`. When there is
// none, `index` becomes -1 and `success` false; `success` is never set to true here.
void nulFindCategory(const TArrCategories& categories, std::string_view fileId, std::int32_t& index,
                     bool& success);

}  // namespace vantorell
