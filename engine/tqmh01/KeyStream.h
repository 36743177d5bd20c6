#pragma once
// Key stream of the file cipher (stage D, and the chaining of the key derivation): three
// 32-bit generators with a shuffle over three tables of 100 entries.

#include <array>
#include <cstdint>

namespace vantorell::engine {

class KeyStream {
public:
    // One call with its argument:
    //   b >= 1: all three generators := b, shuffle index := b AND 0x77777;
    //   b <= -2: mixes -b into the generators;
    //   -1, or 0 before the tables are filled: fills the tables;
    //   0: one step and a shuffle.
    // Yields the high byte of the exclusive-or of the three values.
    std::uint8_t next(std::int32_t argument);

    // The common call: one byte of the stream.
    std::uint8_t draw() { return filled_ ? shuffled() : next(0); }

private:
    static constexpr int kTableSize = 100;

    void step();
    void seedNegative(std::uint32_t n);
    void fill();
    std::uint8_t shuffled();
    std::uint8_t highByte() const { return static_cast<std::uint8_t>((x1_ ^ x2_ ^ x3_) >> 24); }

    std::uint32_t x1_ = 0;
    std::uint32_t x2_ = 0;
    std::uint32_t x3_ = 0;
    std::array<std::uint32_t, kTableSize> t1_{};
    std::array<std::uint32_t, kTableSize> t2_{};
    std::array<std::uint32_t, kTableSize> t3_{};
    std::uint32_t shuffle_ = 0;
    bool filled_ = false;
};

}  // namespace vantorell::engine
