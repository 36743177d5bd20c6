// Modular power of long numbers: schoolbook products of up to 160 words and long division
// in base 4096 (normalised, with the usual two-word quotient estimate).
#include <array>
#include <bit>
#include <cstdint>

#include "engine/tqmh01/LongNumber.h"

namespace vantorell::engine {
namespace {

constexpr int kWordBits = 12;
constexpr std::int64_t kBase = kLongNumberWordBase;
constexpr std::int64_t kWordMask = kBase - 1;
constexpr int kWideWords = 2 * kLongNumberWords;

// Little-endian words; len counts the significant ones.
struct Wide {
    std::array<std::int64_t, kWideWords + 1> d{};
    int len = 0;

    void trim() {
        while (len > 0 && d[len - 1] == 0) {
            --len;
        }
    }
};

Wide toWide(const LongNumber& number) {
    Wide w;
    for (int i = 0; i < kLongNumberWords; ++i) {
        w.d[i] = number.words[kLongNumberWords - 1 - i];
    }
    w.len = kLongNumberWords;
    w.trim();
    return w;
}

LongNumber fromWide(const Wide& w) {
    LongNumber number;
    for (int i = 0; i < w.len && i < kLongNumberWords; ++i) {
        number.words[kLongNumberWords - 1 - i] = static_cast<std::uint16_t>(w.d[i]);
    }
    return number;
}

void multiply(const Wide& a, const Wide& b, Wide& out) {
    out.len = a.len + b.len;
    for (int i = 0; i < out.len; ++i) {
        out.d[i] = 0;
    }
    for (int i = 0; i < a.len; ++i) {
        std::int64_t carry = 0;
        for (int j = 0; j < b.len; ++j) {
            const std::int64_t t = out.d[i + j] + a.d[i] * b.d[j] + carry;
            out.d[i + j] = t & kWordMask;
            carry = t >> kWordBits;
        }
        out.d[i + b.len] = carry;
    }
    out.trim();
}

// u := u mod v, v non-zero.
void reduce(Wide& u, const Wide& v) {
    const int n = v.len;
    const int len = u.len;
    if (len < n) {
        return;
    }
    if (n == 1) {
        std::int64_t r = 0;
        for (int i = len - 1; i >= 0; --i) {
            r = (r * kBase + u.d[i]) % v.d[0];
        }
        u.d[0] = r;
        u.len = 1;
        u.trim();
        return;
    }
    // Shift so that the divisor's top word has its high bit set.
    const int s = kWordBits - std::bit_width(static_cast<std::uint64_t>(v.d[n - 1]));
    std::array<std::int64_t, kLongNumberWords> vn{};
    for (int i = n - 1; i > 0; --i) {
        vn[i] = ((v.d[i] << s) | (v.d[i - 1] >> (kWordBits - s))) & kWordMask;
    }
    vn[0] = (v.d[0] << s) & kWordMask;
    std::array<std::int64_t, kWideWords + 2> un{};
    un[len] = u.d[len - 1] >> (kWordBits - s);
    for (int i = len - 1; i > 0; --i) {
        un[i] = ((u.d[i] << s) | (u.d[i - 1] >> (kWordBits - s))) & kWordMask;
    }
    un[0] = (u.d[0] << s) & kWordMask;

    for (int j = len - n; j >= 0; --j) {
        const std::int64_t num = un[j + n] * kBase + un[j + n - 1];
        std::int64_t qhat = num / vn[n - 1];
        std::int64_t rhat = num % vn[n - 1];
        while (qhat >= kBase || qhat * vn[n - 2] > kBase * rhat + un[j + n - 2]) {
            --qhat;
            rhat += vn[n - 1];
            if (rhat >= kBase) {
                break;
            }
        }
        std::int64_t borrow = 0;
        std::int64_t t = 0;
        for (int i = 0; i < n; ++i) {
            const std::int64_t p = qhat * vn[i];
            t = un[i + j] - borrow - (p & kWordMask);
            un[i + j] = t & kWordMask;
            borrow = (p >> kWordBits) - (t >> kWordBits);
        }
        t = un[j + n] - borrow;
        un[j + n] = t;
        if (t < 0) {
            // The estimate was one too large: add the divisor back once.
            std::int64_t carry = 0;
            for (int i = 0; i < n; ++i) {
                t = un[i + j] + vn[i] + carry;
                un[i + j] = t & kWordMask;
                carry = t >> kWordBits;
            }
            un[j + n] += carry;
        }
    }
    for (int i = 0; i < n; ++i) {
        u.d[i] = ((un[i] >> s) | (un[i + 1] << (kWordBits - s))) & kWordMask;
    }
    for (int i = n; i < len; ++i) {
        u.d[i] = 0;
    }
    u.len = n;
    u.trim();
}

}  // namespace

LongNumber modularPower(const LongNumber& base, const LongNumber& exponent,
                        const LongNumber& modulus) {
    if (modulus.isZero()) {
        throw LongNumberError("the modulus of the key block is zero");
    }
    const Wide m = toWide(modulus);
    Wide result;
    result.d[0] = 1;
    result.len = 1;
    Wide running = toWide(base);
    Wide product;

    const int top = kLongNumberWords - 1 - exponent.significantLength();
    for (int word = kLongNumberWords - 1; word >= top; --word) {
        const unsigned w = exponent.words[word];
        for (int bit = 0; bit < kWordBits; ++bit) {
            if (word == top && (w >> bit) == 0) {
                break;  // no set bit above: further squares change nothing
            }
            if ((w >> bit) & 1U) {
                multiply(result, running, product);
                reduce(product, m);
                result = product;
            }
            multiply(running, running, product);
            reduce(product, m);
            running = product;
        }
    }
    return fromWide(result);
}

}  // namespace vantorell::engine
