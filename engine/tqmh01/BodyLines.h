#pragma once
// Body lines of the enciphered file: one blank, then groups of five characters that carry
// four cipher bytes, sixteen groups (64 bytes) to a full line.

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantorell::engine {

inline constexpr std::size_t kBodyLineBytes = 64;
inline constexpr std::size_t kBodyLineChars = 80;
inline constexpr unsigned kBodyCharBase = 35;     // lowest body character
inline constexpr unsigned kBodyByteModulus = 86;  // byte characters carry b mod 86
inline constexpr unsigned kBodyHighestChar = kBodyCharBase + kBodyByteModulus - 1;  // 120
// Weights of the byte quotients (b div 86) in a group's lead character.
inline constexpr std::array<unsigned, 4> kBodyLeadWeights = {27, 9, 3, 1};

// Characters that carry `bytes` bytes (at most 64) on one line: a lead character per group
// of up to four bytes and one character per byte.
constexpr std::size_t bodyCharsFor(std::size_t bytes) {
    return bytes / 4 * 5 + (bytes % 4 != 0 ? bytes % 4 + 1 : 0);
}
static_assert(bodyCharsFor(kBodyLineBytes) == kBodyLineChars);

}  // namespace vantorell::engine
