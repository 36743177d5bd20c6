#pragma once
// A text without the blanks around it: spaces, tabs and the other control characters.

#include <string_view>

namespace vantorell {

inline std::string_view trimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') {
        ++first;
    }
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') {
        --last;
    }
    return text.substr(first, last - first);
}

}  // namespace vantorell
