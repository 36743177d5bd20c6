#pragma once
// Deciphering a large body on all cores. When the blocks stand alone (stages A and B only),
// batches of body lines are read, decoded and deciphered side by side and written out in
// their order; only the first block of each batch waits for the batch before it, for its
// chaining block.

#include <cstdint>
#include <optional>

#include "engine/tqmh01/CipherStages.h"
#include "engine/tqmh01/SourceFile.h"
#include "platform/AtomicFile.h"

namespace vantorell::engine {

// True when a body of `length` bytes is worth deciphering in batches with these stages.
bool BatchesPay(const CipherStages& stages, std::uint64_t length);

// Deciphers the `length` bytes of the body that starts at offset `bodyStart` of `source`
// into `output`, gives the exclusive-or of the body characters and leaves `source` after
// the body. Gives nothing when the body does not lie in the lines the cipher writes (a line
// ended by a carriage return, a line of the wrong length or with a character that carries no
// byte, a file that ends early): what was written is then of no use, and reading the body
// line by line tells what is wrong with it.
std::optional<int> DecipherBodyInBatches(CipherStages& stages, SourceFile& source,
                                         std::uint64_t bodyStart, std::uint64_t length,
                                         AtomicFile& output);

}  // namespace vantorell::engine
