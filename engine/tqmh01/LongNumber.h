#pragma once
// Long number of the key block: 80 words of 12 bits, most significant word first, and its
// text form of two characters per word.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vantorell::engine {

inline constexpr int kLongNumberWords = 80;
inline constexpr std::uint32_t kLongNumberWordBase = 4096;
// Two characters per word.
inline constexpr std::size_t kLongNumberTextLimit = 2 * kLongNumberWords;

// Raised for a text that is not a long number.
class LongNumberError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct LongNumber {
    // words[0] most significant, words[79] least; each below 4096.
    std::array<std::uint16_t, kLongNumberWords> words{};

    bool isZero() const;
    // Words from the first non-zero word to word 79 (at least 1), less 1.
    int significantLength() const;

    static LongNumber fromInteger(std::uint64_t value);

    bool operator==(const LongNumber&) const = default;
};

// Each word as '0' plus its high 6 bits, then '0' plus its low 6 bits; leading zero words
// are left out, so zero is the empty text.
std::string longNumberToText(const LongNumber& number);

// The last pair of characters gives word 79; words not covered are 0. Refuses texts of
// odd length, of more than 160 characters, or with characters outside '0'..'o'.
LongNumber longNumberFromText(const std::string& text);

// base raised to exponent modulo modulus, by right-to-left square and multiply. The result
// starts at 1, so an exponent of 0 gives 1 whatever the modulus. Raises LongNumberError
// for a zero modulus.
LongNumber modularPower(const LongNumber& base, const LongNumber& exponent,
                        const LongNumber& modulus);

}  // namespace vantorell::engine
