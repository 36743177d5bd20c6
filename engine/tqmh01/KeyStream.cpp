#include "engine/tqmh01/KeyStream.h"

#include <utility>

namespace vantorell::engine {
namespace {

constexpr std::uint32_t kMultiplier1 = 87240865U;
constexpr std::uint32_t kIncrement1 = 117123343U;
constexpr std::uint32_t kFeedback2 = 0x80000062U;
// Third generator: 127770507 * x mod 4216426759 by Schrage's method (m = a*q + r).
constexpr std::int64_t kModulus3 = 4216426759LL;  // 0xFB519107
constexpr std::int64_t kMultiplier3 = 127770507LL;
constexpr std::int64_t kQuotient3 = 33;
constexpr std::int64_t kRemainder3 = 28;
static_assert(kMultiplier3 * kQuotient3 + kRemainder3 == kModulus3);
static_assert(kModulus3 == 0xFB519107LL);

constexpr std::uint32_t kShuffleMultiplier = 6361U;
constexpr std::uint32_t kShuffleIncrement = 2057U;
constexpr std::uint32_t kShuffleModulus = 10000U;
constexpr std::uint32_t kShuffleSeedMask = 0x77777U;

}  // namespace

void KeyStream::step() {
    x1_ = x1_ * kMultiplier1 + kIncrement1;

    const bool out = (x2_ & 1U) != 0;
    x2_ >>= 1;
    if (out) {
        x2_ ^= kFeedback2;
    }

    const auto x3 = static_cast<std::int64_t>(x3_);
    std::int64_t t = kMultiplier3 * (x3 % kQuotient3) - kRemainder3 * (x3 / kQuotient3);
    if (t <= 0) {
        t += kModulus3;
    }
    t += 1;
    if (t > kModulus3 - 1) {
        t -= kModulus3;
    }
    x3_ = static_cast<std::uint32_t>(t);
}

void KeyStream::seedNegative(std::uint32_t n) {
    if (n > 999'999'999U) {
        x1_ = x1_ * 1000U + n / 1'000'000U - 1000U;
        x2_ = x2_ * 1000U + (n / 1000U) % 1000U;
        x3_ = x3_ * 1000U + n % 1000U;
        return;
    }
    const std::uint32_t q = n / 100'000U;
    switch (n % 100'000U) {
        case 1:
            x1_ = x1_ * 100'000U + q;
            break;
        case 2:
            x2_ = x2_ * 100'000U + q;
            break;
        case 3:
            x3_ = x3_ * 100'000U + q;
            break;
        default:
            break;
    }
}

void KeyStream::fill() {
    for (int i = 0; i < kTableSize; ++i) {
        step();
        t1_[i] = x1_;
        t2_[i] = x2_;
        t3_[i] = x3_;
    }
    filled_ = true;
}

std::uint8_t KeyStream::shuffled() {
    step();
    // Each generator is exchanged with an entry of its own table; the old entries are the
    // outputs and stay in the generators.
    std::uint32_t* generators[3] = {&x1_, &x2_, &x3_};
    std::array<std::uint32_t, kTableSize>* tables[3] = {&t1_, &t2_, &t3_};
    for (int g = 0; g < 3; ++g) {
        shuffle_ = (shuffle_ * kShuffleMultiplier + kShuffleIncrement) % kShuffleModulus;
        std::swap(*generators[g], (*tables[g])[shuffle_ / 100U]);
    }
    return highByte();
}

std::uint8_t KeyStream::next(std::int32_t argument) {
    if (argument >= 1) {
        const auto b = static_cast<std::uint32_t>(argument);
        x1_ = x2_ = x3_ = b;
        shuffle_ = b & kShuffleSeedMask;
        return highByte();
    }
    if (argument <= -2) {
        // -b fits in 32 unsigned bits even for the most negative argument.
        seedNegative(static_cast<std::uint32_t>(-static_cast<std::int64_t>(argument)));
        return highByte();
    }
    if (argument == -1 || !filled_) {
        fill();
        return highByte();
    }
    return shuffled();
}

}  // namespace vantorell::engine
