#pragma once
// Which of the four stages a run applies, from the plain length. Both directions choose
// from the length in the header, so they choose alike.

#include <cstdint>

#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

struct StageChoice {
    CipherStageFlags stages;
    bool automatic = true;
};

StageChoice ChooseCipherStages(const CipherStageFlags& requested, bool automatic,
                               std::uint64_t length, bool keyBlockUsed);

}  // namespace vantorell::engine
