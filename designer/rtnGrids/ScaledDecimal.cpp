#include "designer/rtnGrids/ScaledDecimal.h"

#include <algorithm>

#include "designer/rtnGrids/TrimBlanks.h"

namespace vantorell {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits beyond this in the integer part are above any limit once scaled.
constexpr std::size_t kMaxIntegerDigits = 18;

}  // namespace

std::optional<std::int64_t> optScaledDecimal(const std::string& typed, std::int64_t scale,
                                             std::int64_t limit) {
    if (scale <= 0) {
        return std::nullopt;
    }
    limit = std::max<std::int64_t>(limit, 0);
    const std::string_view text = trimBlanks(typed);
    std::size_t i = 0;
    const std::size_t end = text.size();
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t intFirst = i;
    while (i < end && isDigit(text[i])) {
        ++i;
    }
    const std::size_t intLast = i;
    std::size_t fracFirst = i;
    std::size_t fracLast = i;
    if (i < end && text[i] == '.') {
        fracFirst = ++i;
        while (i < end && isDigit(text[i])) {
            ++i;
        }
        fracLast = i;
    }
    if (i != end || (intLast == intFirst && fracLast == fracFirst)) {
        return std::nullopt;
    }

    std::size_t significant = intFirst;
    while (significant < intLast && text[significant] == '0') {
        ++significant;
    }
    unsigned __int128 magnitude = 0;
    if (intLast - significant > kMaxIntegerDigits) {
        magnitude = static_cast<unsigned __int128>(limit) + 1;
    } else {
        for (std::size_t k = significant; k < intLast; ++k) {
            magnitude = magnitude * 10 + static_cast<unsigned>(text[k] - '0');
        }
        magnitude *= static_cast<unsigned __int128>(scale);
        // The fraction times the scale, from the last digit up: what carries out of the
        // first fraction digit is the whole part of fraction x scale.
        unsigned __int128 carry = 0;
        for (std::size_t k = fracLast; k > fracFirst; --k) {
            const auto digit = static_cast<unsigned>(text[k - 1] - '0');
            carry = (digit * static_cast<unsigned __int128>(scale) + carry) / 10;
        }
        magnitude += carry;
    }
    const auto clamped =
        static_cast<std::int64_t>(std::min(magnitude, static_cast<unsigned __int128>(limit)));
    return negative ? -clamped : clamped;
}

std::string strScaledDecimal(std::int64_t value, std::int64_t scale) {
    if (scale <= 0) {
        return std::to_string(value);
    }
    const bool negative = value < 0;
    // Unsigned, so that the smallest value has a magnitude too.
    const auto magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const auto unit = static_cast<std::uint64_t>(scale);
    std::string text = std::to_string(magnitude / unit);
    std::uint64_t rest = magnitude % unit;
    if (rest != 0) {
        // The fraction's digits, as many as the scale has places (more for a scale that is
        // no power of ten, cut where they would repeat).
        std::string digits;
        for (int places = 0; rest != 0 && places < 18; ++places) {
            rest *= 10;
            digits += static_cast<char>('0' + rest / unit);
            rest %= unit;
        }
        while (!digits.empty() && digits.back() == '0') {
            digits.pop_back();
        }
        text += "." + digits;
    }
    return negative && text != "0" ? "-" + text : text;
}

}  // namespace vantorell
