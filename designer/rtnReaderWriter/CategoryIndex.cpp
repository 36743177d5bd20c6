#include "designer/rtnReaderWriter/CategoryIndex.h"

#include <algorithm>
#include <string>

#include "designer/rtnReaderWriter/DebugMessage.h"

namespace vantorell {
namespace {

std::string_view idOf(const TArrCategories& categories, std::int32_t index) {
    return categories[static_cast<std::size_t>(index)].strFileId.str();
}

}  // namespace

void nulSortCategories(TArrCategories& categories, int debugMask) {
    // The identifiers are copied side by side first, comparing them where they lie in the
    // records would fetch a record for every comparison; their first eight bytes, zero
    // padded, decide most comparisons as one number (a shorter text still comes first).
    struct Key {
        std::uint64_t head;
        std::string_view id;
        std::int32_t index;
    };
    std::size_t bytes = 0;
    for (const TCategoryRecord& c : categories) {
        bytes += categories[static_cast<std::size_t>(c.intSortedIndex)].strFileId.size();
    }
    std::string text;
    text.reserve(bytes);
    std::vector<Key> keys;
    keys.reserve(categories.size());
    for (const TCategoryRecord& c : categories) {
        const std::string& id = categories[static_cast<std::size_t>(c.intSortedIndex)].strFileId;
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            head = (head << 8) | (i < id.size() ? static_cast<unsigned char>(id[i]) : 0U);
        }
        keys.push_back(
            {head, std::string_view(text.data() + text.size(), id.size()), c.intSortedIndex});
        text += id;
    }
    // Identifiers are unique in a sound file; ties keep their order, so that a file with
    // duplicates sorts in a definite order as well.
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.head != b.head) {
            return a.head < b.head;
        }
        const int order = a.id.compare(b.id);
        return order < 0 || (order == 0 && a.index < b.index);
    });
    for (std::size_t i = 0; i < categories.size(); ++i) {
        categories[i].intSortedIndex = keys[i].index;
    }
    nulDebugMessage("Quicksort complete.", kDebugCommands, debugMask);
}

void nulFindCategory(const TArrCategories& categories, std::string_view fileId, std::int32_t& index,
                     bool& success) {
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
