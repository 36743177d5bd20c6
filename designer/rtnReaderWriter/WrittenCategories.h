#pragma once
// What the CAT section works out about the categories while it writes them, kept for the
// PER section in compact form: the category records themselves are too large to stay in
// the cache, and the PER section walks every category's level once per measure and starts
// every value line with a category identifier.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantorell {

struct WrittenCategories {
    // The categories of one dimension lie in [first, end) of the category array.
    struct Span {
        int first = 0;
        int end = 0;
    };

    // Per category, in array order.
    std::vector<int> levels;            // depth in the tree, at least 1
    std::vector<char> parents;          // 1 for a category with subcategories
    std::string idTexts;                // the identifiers, side by side
    std::vector<std::size_t> idStarts;  // category c's identifier starts at idStarts[c]
    // Per dimension; empty for a dimension without categories.
    std::vector<Span> spans;

    int count() const { return static_cast<int>(levels.size()); }
    std::string_view id(int c) const {
        const std::size_t end = c + 1 < count() ? idStarts[c + 1] : idTexts.size();
        return std::string_view(idTexts).substr(idStarts[c], end - idStarts[c]);
    }
};

}  // namespace vantorell
