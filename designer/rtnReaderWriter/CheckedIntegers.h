#pragma once
// Counters and products of the point figures run with overflow checks: a result beyond the
// 32-bit Integer range raises std::overflow_error instead of wrapping.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vantorell {

inline std::int32_t intCheckedMultiply(std::int32_t a, std::int32_t b, const char* what) {
    std::int32_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) {
        throw std::overflow_error(std::string("Integer overflow in ") + what + ".");
    }
    return product;
}

inline std::int32_t intCheckedAdd(std::int32_t a, std::int32_t b, const char* what) {
    std::int32_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        throw std::overflow_error(std::string("Integer overflow in ") + what + ".");
    }
    return sum;
}

inline std::int32_t intCheckedCount(std::size_t count, const char* what) {
    std::int32_t value = 0;
    if (__builtin_add_overflow(count, std::size_t{0}, &value)) {
        throw std::overflow_error(std::string("Integer overflow in ") + what + ".");
    }
    return value;
}

}  // namespace vantorell
