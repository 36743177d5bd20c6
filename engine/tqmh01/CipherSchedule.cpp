#include "engine/tqmh01/CipherSchedule.h"

#include <utility>

namespace vantorell::engine {
namespace {

// Byte generator over the 16-byte key state; all positions modulo 16.
class KeyState {
public:
    explicit KeyState(const CipherKey& key) : r_(key) {}

    std::uint8_t step() {
        e_ = (e_ + 1) & 15U;
        const unsigned sum = r_[(e_ - 3) & 15U] + r_[(e_ - 1) & 15U];
        const unsigned next = r_[(e_ + 1) & 15U] + 1U;
        r_[e_] = static_cast<std::uint8_t>(r_[e_] ^ ((sum ^ next) & 255U));
        return r_[e_];
    }

private:
    CipherKey r_;
    unsigned e_ = 0;
};

}  // namespace

void ExpandCipherKey(const CipherKey& key, CipherSchedule& schedule, CipherDirection direction) {
    KeyState state(key);
    std::array<std::uint8_t, 256> p{};
    std::array<std::uint8_t, 256> w{};
    auto& s = schedule.sbox;
    for (int i = 0; i < 256; ++i) {
        p[i] = static_cast<std::uint8_t>(i);
        s[i] = static_cast<std::uint8_t>(i);
        w[i] = state.step();
    }
    for (int k = 0; k < kFeistelRounds; ++k) {
        const int row = direction == CipherDirection::Encipher ? k : kFeistelRounds - 1 - k;
        for (int j = 0; j < 8; ++j) {
            const std::uint8_t c = state.step();
            const std::uint8_t x = state.step();
            schedule.subkeys[row * 8 + j] = w[c];
            w[c] = x;
        }
    }
    for (auto* table : {&p, &s}) {
        for (int i = 0; i < 256; ++i) {
            const std::uint8_t c = state.step();
            const std::uint8_t x = state.step();
            const std::uint8_t y = w[c];
            w[c] = x;
            std::swap((*table)[i], (*table)[y]);
        }
    }
    for (int i = 0; i < 256; ++i) {
        s[i] = p[s[i]];
    }
}

}  // namespace vantorell::engine
