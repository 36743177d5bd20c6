#pragma once
// Letter case of the names the system compares without regard to case (settings keys,
// registry names, switches, file extensions): only "A".."Z" and "a".."z" count as letters,
// whatever the locale, so that other bytes, UTF-8 included, stay as they are.

#include <string>
#include <string_view>

namespace vantorell {

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiLowerCase(std::string text) {
    for (char& c : text) {
        c = asciiLower(c);
    }
    return text;
}

constexpr bool sameAsciiText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace vantorell
