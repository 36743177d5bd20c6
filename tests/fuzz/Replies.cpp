#include "tests/fuzz/Replies.h"

namespace vantorell::fuzz {

std::vector<std::string> splitAt(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t at = text.find(separator, begin);
        pieces.push_back(text.substr(begin, at - begin));
        if (at == std::string::npos) {
            return pieces;
        }
        begin = at + separator.size();
    }
}

std::string replaced(std::string text, const std::string& placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

}  // namespace vantorell::fuzz
