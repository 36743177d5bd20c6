#pragma once

#include <initializer_list>
#include <string>

namespace vantorell::test {

// A text of the given byte values, for protocol bytes that hold NULs.
inline std::string bytesOf(std::initializer_list<int> bytes) {
    std::string out;
    for (const int b : bytes) {
        out += static_cast<char>(b);
    }
    return out;
}

}  // namespace vantorell::test
