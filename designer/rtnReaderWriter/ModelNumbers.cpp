#include "designer/rtnReaderWriter/ModelNumbers.h"

#include <charconv>
#include <cmath>

namespace vantorell {
namespace {

constexpr long long kMillion = 1'000'000;

// 2^33: below it neighbouring doubles are less than a millionth apart, so at most one
// number of six decimals or fewer reads back as a given double.
constexpr double kMillionthsLimit = 8589934592.0;

// `millionths` / 1,000,000 in fixed notation without trailing zeros, e.g. 23051400 as
// "23.0514" and 5000000 as "5".
char* writeMillionths(char* p, char* end, long long millionths) {
    if (millionths < 0) {
        *p++ = '-';
        millionths = -millionths;
    }
    p = std::to_chars(p, end, millionths / kMillion).ptr;
    long long fraction = millionths % kMillion;
    if (fraction != 0) {
        *p++ = '.';
        int digits = 6;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        for (int i = digits - 1; i >= 0; --i) {
            p[i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        p += digits;
    }
    return p;
}

}  // namespace

NumberText integerText(long long value) {
    NumberText t;
    const auto r = std::to_chars(t.data_, t.data_ + sizeof t.data_, value);
    t.size_ = static_cast<std::size_t>(r.ptr - t.data_);
    return t;
}

NumberText floatText(double value) {
    NumberText t;
    if (value == 0.0) {
        t.data_[0] = '0';
        t.size_ = 1;
        return t;
    }
    const double magnitude = std::fabs(value);
    const bool fixed = magnitude >= 1e-4 && magnitude < 1e16;
    char* const end = t.data_ + sizeof t.data_;

    // Most numbers of a model are whole or have at most six decimals: shares are millionths.
    // Such a number is quick to write, and when its text reads back as the value (dividing
    // by 1e6 rounds exactly as reading the text does), that text is the shortest that does:
    // below kMillionthsLimit no other text of six decimals or fewer reads back as the same
    // value, and any longer one has more digits. So it is the text the general conversion
    // below would give, at a fraction of the cost.
    if (fixed && magnitude < kMillionthsLimit) {
        // Rounded to whole millionths; the test below decides whether that is exact.
        const auto millionths = static_cast<long long>(value * static_cast<double>(kMillion) +
                                                       (value < 0 ? -0.5 : 0.5));
        if (static_cast<double>(millionths) / static_cast<double>(kMillion) == value) {
            t.size_ = static_cast<std::size_t>(writeMillionths(t.data_, end, millionths) - t.data_);
            return t;
        }
    }

    const auto format = fixed ? std::chars_format::fixed : std::chars_format::scientific;
    const auto r = std::to_chars(t.data_, end, value, format);
    t.size_ = static_cast<std::size_t>(r.ptr - t.data_);
    return t;
}

NumberText roundedText(double value) {
    NumberText t;
    const auto r =
        std::to_chars(t.data_, t.data_ + sizeof t.data_, value, std::chars_format::fixed, 0);
    if (r.ec != std::errc()) {
        return floatText(value);
    }
    t.size_ = static_cast<std::size_t>(r.ptr - t.data_);
    if (t.view() == "-0") {
        t.data_[0] = '0';
        t.size_ = 1;
    }
    return t;
}

}  // namespace vantorell
