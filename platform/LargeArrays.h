#pragma once

#include <cstddef>

namespace vantorell {

// Tells the system that a large array about to be filled is used whole, so that it is
// backed by large pages where the system offers them: a model of many categories would
// otherwise take one page fault per 4 KB. Small arrays and systems without large pages are
// left as they are; nothing changes in the array.
void adviseLargeArray(const void* data, std::size_t bytes);

}  // namespace vantorell
