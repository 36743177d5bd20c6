#pragma once

#include <cstdint>
#include <string>

namespace vantorell::test {

// Bytes that do not repeat in any short period, the same for the same seed: transfers of
// them show every lost, doubled or moved byte.
inline std::string randomBytes(std::size_t size, std::uint32_t seed = 0) {
    std::string bytes(size, '\0');
    std::uint32_t x = 2463534242u ^ (seed * 2654435761u);
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return bytes;
}

}  // namespace vantorell::test
