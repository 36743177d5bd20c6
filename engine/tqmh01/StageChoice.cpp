#include "engine/tqmh01/StageChoice.h"

namespace vantorell::engine {
namespace {

constexpr std::uint64_t kKeyBlockShift = 10402;
constexpr std::uint64_t kSecondLayersBelow = 50131;
constexpr std::uint64_t kStreamWithLayersBelow = 8427;
constexpr std::uint64_t kStreamWithoutLayersBelow = 80205;
constexpr std::uint64_t kMainLayerOnlyFrom = 3414206;

}  // namespace

CipherStageFlags ChooseCipherStages(const CipherStageFlags& requested, bool automatic,
                                    std::uint64_t length, bool keyBlockUsed) {
    if (length < 16) {
        // No whole block: the Feistel layers have nothing to work on.
        return {.a = false, .b = false, .c = true, .d = true};
    }
    if (!automatic) {
        return requested;
    }
    const std::uint64_t k = keyBlockUsed ? kKeyBlockShift : 0;
    CipherStageFlags s;
    s.a = true;
    s.b = length < k + kSecondLayersBelow;
    if (!s.b && length >= k + kMainLayerOnlyFrom) {
        s.c = false;
        s.d = false;
    } else {
        s.c = true;
        s.d = s.b ? length < k + kStreamWithLayersBelow : length < k + kStreamWithoutLayersBelow;
    }
    return s;
}

}  // namespace vantorell::engine
