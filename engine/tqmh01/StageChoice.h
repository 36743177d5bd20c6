#pragma once
// Which of the four stages a run applies, from the plain length. Both directions choose
// from the length in the header, so they choose alike.

#include <cstdint>

#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

// A file shorter than one block gets stages C and D whatever was asked; otherwise the
// automatic choice, or the requested stages when it is off.
CipherStageFlags ChooseCipherStages(const CipherStageFlags& requested, bool automatic,
                                    std::uint64_t length, bool keyBlockUsed);

}  // namespace vantorell::engine
