#include "engine/tqmh01/LongNumber.h"

namespace vantorell::engine {
namespace {

constexpr char kDigitZero = '0';
constexpr int kDigitBits = 6;
constexpr int kDigitMask = (1 << kDigitBits) - 1;

int firstNonZeroWord(const LongNumber& number) {
    for (int i = 0; i < kLongNumberWords; ++i) {
        if (number.words[i] != 0) {
            return i;
        }
    }
    return kLongNumberWords;
}

}  // namespace

bool LongNumber::isZero() const {
    return firstNonZeroWord(*this) == kLongNumberWords;
}

int LongNumber::significantLength() const {
    const int words = kLongNumberWords - firstNonZeroWord(*this);
    return (words < 1 ? 1 : words) - 1;
}

LongNumber LongNumber::fromInteger(std::uint64_t value) {
    LongNumber number;
    for (int i = kLongNumberWords - 1; i >= 0 && value != 0; --i) {
        number.words[i] = static_cast<std::uint16_t>(value % kLongNumberWordBase);
        value /= kLongNumberWordBase;
    }
    return number;
}

std::string longNumberToText(const LongNumber& number) {
    std::string text;
    for (int i = firstNonZeroWord(number); i < kLongNumberWords; ++i) {
        const unsigned w = number.words[i];
        text += static_cast<char>(kDigitZero + (w >> kDigitBits));
        text += static_cast<char>(kDigitZero + (w & kDigitMask));
    }
    return text;
}

LongNumber longNumberFromText(const std::string& text) {
    if (text.size() % 2 != 0) {
        throw LongNumberError("a long number has two characters a word; this one has " +
                              std::to_string(text.size()));
    }
    if (text.size() > kLongNumberTextLimit) {
        throw LongNumberError("a long number has at most 160 characters; this one has " +
                              std::to_string(text.size()));
    }
    LongNumber number;
    int word = kLongNumberWords - 1;
    for (std::size_t i = text.size(); i >= 2; i -= 2, --word) {
        unsigned digits[2];
        for (int d = 0; d < 2; ++d) {
            const auto c = static_cast<unsigned char>(text[i - 2 + static_cast<std::size_t>(d)]);
            if (c < kDigitZero || c > kDigitZero + kDigitMask) {
                throw LongNumberError("character code " + std::to_string(c) +
                                      " cannot stand in a long number");
            }
            digits[d] = c - static_cast<unsigned>(kDigitZero);
        }
        number.words[word] = static_cast<std::uint16_t>((digits[0] << kDigitBits) | digits[1]);
    }
    return number;
}

}  // namespace vantorell::engine
