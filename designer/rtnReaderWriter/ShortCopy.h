#pragma once
// Copying the few bytes of a record. Nearly every record of a model is shorter than 17
// bytes, and a call into the C library's memcpy costs more than the copy itself; two
// overlapping word moves do it inline.

#include <cstdint>
#include <cstring>

namespace vantorell {

inline void copyShort(char* to, const char* from, std::size_t n) {
    if (n >= 8 && n <= 16) {
        std::uint64_t head;
        std::uint64_t tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + n - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + n - 8, &tail, 8);
    } else if (n >= 4 && n < 8) {
        std::uint32_t head;
        std::uint32_t tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + n - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + n - 4, &tail, 4);
    } else if (n < 4) {
        for (std::size_t i = 0; i < n; ++i) {
            to[i] = from[i];
        }
    } else {
        std::memcpy(to, from, n);
    }
}

}  // namespace vantorell
