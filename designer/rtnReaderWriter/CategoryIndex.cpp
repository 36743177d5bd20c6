#include "designer/rtnReaderWriter/CategoryIndex.h"

#include <algorithm>
#include <string>

#include "designer/rtnReaderWriter/DebugMessage.h"

namespace vantorell {
namespace {

constexpr int kDebugCommands = 1;

std::string_view idOf(const TArrCategories& categories, std::int32_t index) {
    return categories[static_cast<std::size_t>(index)].strFileId.str();
}

}  // namespace

void nulSortCategories(TArrCategories& categories, int debugMask) {
    std::vector<std::int32_t> order;
    order.reserve(categories.size());
    for (const TCategoryRecord& c : categories) {
        order.push_back(c.intSortedIndex);
    }
    // Identifiers are unique in a sound file; the stable sort keeps a file with duplicates
    // in a definite order as well.
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return idOf(categories, a) < idOf(categories, b);
    });
    for (std::size_t i = 0; i < categories.size(); ++i) {
        categories[i].intSortedIndex = order[i];
    }
    nulDebugMessage("Quicksort complete.", kDebugCommands, debugMask);
}

void nulFindCategory(const TArrCategories& categories, std::string_view fileId,
                     std::int32_t& index, bool& success) {
    // Binary search over the sorted column for the first identifier not below the key.
    std::size_t lo = 0;
    std::size_t hi = categories.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (idOf(categories, categories[mid].intSortedIndex) < fileId) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo < categories.size() && idOf(categories, categories[lo].intSortedIndex) == fileId) {
        index = categories[lo].intSortedIndex;
        return;
    }
    index = -1;
    success = false;
}

}  // namespace vantorell
